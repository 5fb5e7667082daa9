#include "app/overwrite_box_win32.h"

#include "kernel/msgbox.h"
#include "kernel/strings.h"
#include "resource.h"

OverwriteAnswer OverwriteBox::Ask(const OverwriteItem& item) {
  char format[512];
  VtLoadString(frame_.strings, item.destination == StoreId::Package ? IDS_OVERWRITE_PACKAGE : IDS_OVERWRITE_SYSTEM,
               format, sizeof(format));
  uint32_t buttons = item.offerAll ? kVtMbYesAllNoNoAllCancel : kVtMbYesNoCancel;
  int32_t answer;
  {
    // A refresh that would replace the records being copied waits.
    ModalScope modal(frame_.modal);
    answer = VtMsgBox_Custom(frame_.window, buttons | kVtMbIconExclamation, nullptr, format, item.kind, item.name);
  }
  switch (answer) {
    case kVtIdYes:
      return OverwriteAnswer::Yes;
    case kVtIdNo:
      return OverwriteAnswer::No;
    case kVtIdYesToAll:
      return item.offerAll ? OverwriteAnswer::YesToAll : OverwriteAnswer::No;
    case kVtIdNoToAll:
      return item.offerAll ? OverwriteAnswer::NoToAll : OverwriteAnswer::No;
    default:
      return OverwriteAnswer::Cancel;
  }
}
