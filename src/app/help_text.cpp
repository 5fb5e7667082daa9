#include "app/help_text.h"

#include <new>

#include "platform/status.h"

namespace {

bool IsLineOfItsOwn(const std::string& line) {
  return line.compare(0, 2, "- ") == 0 || line.find('\t') != std::string::npos;
}

void TrimEnd(std::string* line) {
  while (!line->empty() && (line->back() == '\r' || line->back() == ' ')) line->pop_back();
}

class TopicBuilder {
 public:
  explicit TopicBuilder(std::vector<HelpTopic>* topics) : topics_(topics) {}

  void Title(const std::string& title) {
    topics_->push_back(HelpTopic{title, std::string()});
    joining_ = false;
    pendingBreak_ = false;
  }

  void Blank() {
    joining_ = false;
    pendingBreak_ = !Text().empty();
  }

  void Line(const std::string& line) {
    if (topics_->empty()) return;
    std::string& text = Text();
    bool own = IsLineOfItsOwn(line);
    if (joining_ && !own) {
      text.insert(text.size() - 2, " " + line);
      return;
    }
    if (pendingBreak_) text += "\r\n";
    pendingBreak_ = false;
    text += line + "\r\n";
    joining_ = !own;
  }

 private:
  std::string& Text() { return topics_->back().text; }

  std::vector<HelpTopic>* topics_;
  bool joining_ = false;       // the last line was a paragraph's, which the next continues
  bool pendingBreak_ = false;  // a blank line came since the last text
};

}  // namespace

int32_t ParseHelpText(const char* text, size_t size, std::vector<HelpTopic>* topics) {
  topics->clear();
  try {
    TopicBuilder builder(topics);
    size_t start = 0;
    while (start < size) {
      size_t end = start;
      while (end < size && text[end] != '\n') ++end;
      std::string line(text + start, end - start);
      TrimEnd(&line);
      if (line.compare(0, 2, "# ") == 0) {
        builder.Title(line.substr(2));
      } else if (line.empty()) {
        builder.Blank();
      } else {
        builder.Line(line);
      }
      start = end + 1;
    }
  } catch (const std::bad_alloc&) {
    topics->clear();
    return E_OUTOFMEMORY;
  }
  return 0;
}
