#include "kernel/format.h"

#include <cstdio>
#include <cstring>
#include <new>

#include "kernel/number_locale.h"
#include "kernel/tokens.h"
#include "platform/text.h"

namespace {

// The destination, filled from the front; once a piece did not fit whole,
// the text is cut and formatting stops.
struct Output {
  char* dest;
  size_t size;
  size_t length;
  bool full;

  size_t Room() const { return size - 1 - length; }

  void Append(const char* piece, size_t n) {
    if (full) return;
    if (n > Room()) {
      n = Text_CutLength(piece, Room());
      full = true;
    }
    memcpy(dest + length, piece, n);
    length += n;
    dest[length] = '\0';
  }
  void Append(const char* text) { Append(text, strlen(text)); }
};

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// A conversion after "%" or "$", as far as it was parsed.
struct Conversion {
  char flags[8];
  int width;       // -1 when none
  int precision;   // -1 when none
  int lengthKind;  // 0 none, 1 h, 2 l, 3 ll or I64, 4 hh
  char type;       // the conversion letter; 0 when the sequence is not one
  size_t consumed; // bytes of the format after the "%" or "$"
};

bool IsConversionLetter(char c) { return c != '\0' && strchr("diuxXocseEfgG", c) != nullptr; }

int ReadNumber(const char* text, size_t* at) {
  int value = 0;
  while (IsDigit(text[*at])) {
    if (value < 100000) value = value * 10 + (text[*at] - '0');
    ++*at;
  }
  return value;
}

// Parses the conversion at `text` (after the "%" or "$"). Star widths are
// taken from the arguments only once the whole sequence proved valid, so an
// unknown conversion consumes nothing.
Conversion Parse(const char* text, bool* starWidth, bool* starPrecision) {
  Conversion c = {};
  c.width = -1;
  c.precision = -1;
  size_t at = 0, flagCount = 0;
  while (text[at] != '\0' && strchr("-+ #0", text[at]) != nullptr) {
    if (flagCount < sizeof(c.flags) - 1) c.flags[flagCount++] = text[at];
    ++at;
  }
  *starWidth = *starPrecision = false;
  if (text[at] == '*') {
    *starWidth = true;
    ++at;
  } else if (IsDigit(text[at])) {
    c.width = ReadNumber(text, &at);
  }
  if (text[at] == '.') {
    ++at;
    if (text[at] == '*') {
      *starPrecision = true;
      ++at;
    } else {
      c.precision = ReadNumber(text, &at);
    }
  }
  if (strncmp(text + at, "I64", 3) == 0) {
    c.lengthKind = 3;
    at += 3;
  } else if (strncmp(text + at, "ll", 2) == 0) {
    c.lengthKind = 3;
    at += 2;
  } else if (strncmp(text + at, "hh", 2) == 0) {
    c.lengthKind = 4;
    at += 2;
  } else if (text[at] == 'l') {
    c.lengthKind = 2;
    ++at;
  } else if (text[at] == 'h') {
    c.lengthKind = 1;
    ++at;
  }
  if (!IsConversionLetter(text[at])) return c;
  c.type = text[at];
  c.consumed = at + 1;
  return c;
}

bool IsSigned(char type) { return type == 'd' || type == 'i'; }
bool IsFloat(char type) { return strchr("eEfgG", type) != nullptr; }

// printf's own spelling of the conversion, without the width when `noWidth`.
void BuildSpec(const Conversion& c, bool noWidth, char* spec, size_t size) {
  static const char* const kLength[] = {"", "h", "l", "ll", "hh"};
  const char* length = IsFloat(c.type) || c.type == 'c' || c.type == 's' ? "" : kLength[c.lengthKind];
  char width[16] = "", precision[16] = "";
  if (!noWidth && c.width >= 0) snprintf(width, sizeof(width), "%d", c.width);
  if (c.precision >= 0) snprintf(precision, sizeof(precision), ".%d", c.precision);
  snprintf(spec, size, "%%%s%s%s%s%c", c.flags, width, precision, length, c.type);
}

// A number formatted by printf. The results are plain ASCII and short except
// for huge widths, precisions or doubles, which get a heap buffer.
class Formatted {
 public:
  Formatted() = default;
  ~Formatted() {
    if (text_ != local_) delete[] text_;
  }
  Formatted(const Formatted&) = delete;
  Formatted& operator=(const Formatted&) = delete;

  template <class T>
  const char* Format(const char* spec, T value) {
    int needed = snprintf(local_, sizeof(local_), spec, value);
    if (needed < 0) return "";
    if (static_cast<size_t>(needed) >= sizeof(local_)) {
      char* big = new (std::nothrow) char[static_cast<size_t>(needed) + 1];
      if (big == nullptr) return local_;  // cut to what fitted
      snprintf(big, static_cast<size_t>(needed) + 1, spec, value);
      text_ = big;
    }
    return text_;
  }

 private:
  char local_[128];
  char* text_ = local_;
};

// Writes `text` padded to the conversion's width, as printf pads.
void AppendPadded(Output* out, const Conversion& c, const char* text, size_t length) {
  bool left = strchr(c.flags, '-') != nullptr;
  size_t pad = c.width > 0 && static_cast<size_t>(c.width) > length ? c.width - length : 0;
  if (!left) {
    for (size_t i = 0; i < pad; ++i) out->Append(" ", 1);
  }
  out->Append(text, length);
  if (left) {
    for (size_t i = 0; i < pad; ++i) out->Append(" ", 1);
  }
}

void AppendString(Output* out, const Conversion& c, const char* text) {
  if (text == nullptr) text = "(null)";
  size_t length = c.precision >= 0 ? Text_CutLength(text, static_cast<size_t>(c.precision)) : strlen(text);
  AppendPadded(out, c, text, length);
}

// A number from printf, rewritten the user's way for "$" conversions: the
// width then applies to the rewritten text.
void AppendNumber(Output* out, const Conversion& c, bool localized, const char* text) {
  if (!localized) {
    out->Append(text);
    return;
  }
  char rewritten[512];
  size_t length = VtNumberLocale_Apply(VtFormat_GetNumberLocale(), text, rewritten, sizeof(rewritten));
  AppendPadded(out, c, rewritten, length);
}

void AppendConversion(Output* out, const Conversion& c, bool dollar, va_list* args) {
  if (c.type == 's') {
    AppendString(out, c, va_arg(*args, const char*));
    return;
  }
  bool localized = dollar && (IsSigned(c.type) || c.type == 'u' || IsFloat(c.type));
  char spec[48];
  BuildSpec(c, localized, spec, sizeof(spec));
  Formatted formatted;
  const char* text;
  if (IsFloat(c.type)) {
    text = formatted.Format(spec, va_arg(*args, double));
  } else if (c.type == 'c') {
    text = formatted.Format(spec, va_arg(*args, int));
  } else if (c.lengthKind == 3) {
    text = IsSigned(c.type) ? formatted.Format(spec, va_arg(*args, long long))
                            : formatted.Format(spec, va_arg(*args, unsigned long long));
  } else if (c.lengthKind == 2) {
    text = IsSigned(c.type) ? formatted.Format(spec, va_arg(*args, long))
                            : formatted.Format(spec, va_arg(*args, unsigned long));
  } else {
    text = IsSigned(c.type) ? formatted.Format(spec, va_arg(*args, int))
                            : formatted.Format(spec, va_arg(*args, unsigned int));
  }
  AppendNumber(out, c, localized, text);
}

// "$(" at `text`: a token, a number literal or nothing known. Gives the
// bytes of the format used.
size_t AppendParenthesis(Output* out, const char* text) {
  const char* name = text + 2;
  size_t length = 0;
  while (length < kVtTokenNameMax && name[length] != '\0' && name[length] != ')') ++length;
  if (name[length] != ')') {
    // No closing parenthesis in reach: the text read stays as it is.
    out->Append(text, 2 + length);
    return 2 + length;
  }
  size_t used = 2 + length + 1;
  if (length > 0 && (IsDigit(name[0]) || name[0] == '-' || name[0] == '.')) {
    char plain[kVtTokenNameMax + 2];
    size_t n = 0;
    bool isNumber = true;
    for (size_t i = 0; i < length && isNumber; ++i) {
      char ch = name[i];
      if (ch == ',') continue;  // grouping as written is dropped and redone
      isNumber = IsDigit(ch) || ch == '.' || (ch == '-' && i == 0);
      plain[n++] = ch;
    }
    plain[n] = '\0';
    if (isNumber) {
      char rewritten[512];
      VtNumberLocale_Apply(VtFormat_GetNumberLocale(), plain, rewritten, sizeof(rewritten));
      out->Append(rewritten);
      return used;
    }
  }
  char value[2048];
  if (VtPrintF_FindToken(name, length, value, sizeof(value))) {
    out->Append(value);
  } else {
    out->Append(text, used);
  }
  return used;
}

}  // namespace

bool VtFormat_NeedsExpansion(const char* text) { return strpbrk(text, "%$") != nullptr; }

int32_t VtVSnPrintF(char* dest, size_t size, const char* format, va_list args) {
  if (size == 0) return 0;
  Output out = {dest, size, 0, false};
  dest[0] = '\0';
  va_list copy;
  va_copy(copy, args);
  const char* p = format;
  while (*p != '\0' && !out.full) {
    size_t run = strcspn(p, "%$");
    if (run > 0) {
      out.Append(p, run);
      p += run;
      continue;
    }
    char lead = p[0], next = p[1];
    if ((lead == '$' && next == '$') || (next == '%')) {
      out.Append(lead == '$' && next == '$' ? "$" : "%", 1);
      p += 2;
      continue;
    }
    if (lead == '$' && next == '(') {
      p += AppendParenthesis(&out, p);
      continue;
    }
    bool starWidth, starPrecision;
    Conversion c = Parse(p + 1, &starWidth, &starPrecision);
    if (c.type == 0) {
      out.Append(p, 1);  // not a conversion: the character stands for itself
      ++p;
      continue;
    }
    if (starWidth) {
      int width = va_arg(copy, int);
      if (width < 0) {
        Text_Append(c.flags, sizeof(c.flags), "-");
        width = width < -100000 ? 100000 : -width;
      }
      c.width = width;
    }
    if (starPrecision) {
      int precision = va_arg(copy, int);
      c.precision = precision < 0 ? -1 : precision;
    }
    AppendConversion(&out, c, lead == '$', &copy);
    p += 1 + c.consumed;
  }
  va_end(copy);
  return static_cast<int32_t>(out.length);
}

int32_t VtSnPrintF(char* dest, size_t size, const char* format, ...) {
  va_list args;
  va_start(args, format);
  int32_t length = VtVSnPrintF(dest, size, format, args);
  va_end(args);
  return length;
}
