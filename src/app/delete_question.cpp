#include "app/delete_question.h"

#include "kernel/format.h"
#include "kernel/strings.h"
#include "resource.h"

namespace {

void FormatPresets(VtLang* strings, const DeleteScope& scope, char* out, size_t size) {
  char format[128];
  if (scope.presets == 1) {
    VtLoadString(strings, IDS_DELETE_ONE_PRESET, out, size);
    return;
  }
  VtLoadString(strings, scope.plugIns == 1 ? IDS_DELETE_PRESETS_ONE_PLUGIN : IDS_DELETE_PRESETS, format,
               sizeof(format));
  VtSnPrintF(out, size, format, scope.presets, scope.plugIns);
}

void FormatChains(VtLang* strings, const DeleteScope& scope, char* out, size_t size) {
  char format[128];
  VtLoadString(strings, scope.chains == 1 ? IDS_DELETE_ONE_CHAIN : IDS_DELETE_CHAINS, format, sizeof(format));
  VtSnPrintF(out, size, format, scope.chains);
}

}  // namespace

void FormatDeleteQuestion(VtLang* strings, const DeleteScope& scope, char* out, size_t size) {
  char presets[128] = {}, chains[128] = {}, what[272] = {};
  if (scope.presets > 0) FormatPresets(strings, scope, presets, sizeof(presets));
  if (scope.chains > 0) FormatChains(strings, scope, chains, sizeof(chains));
  if (presets[0] != '\0' && chains[0] != '\0') {
    char both[64];
    VtLoadString(strings, IDS_DELETE_BOTH, both, sizeof(both));
    VtSnPrintF(what, sizeof(what), both, presets, chains);
  } else {
    VtSnPrintF(what, sizeof(what), "%s", presets[0] != '\0' ? presets : chains);
  }
  char question[128];
  VtLoadString(strings, IDS_DELETE_QUESTION, question, sizeof(question));
  VtSnPrintF(out, size, question, what);
}
