#include "kernel/product.h"

#include "kernel/tokens.h"

void VtRegisterProductTokens() {
  VtPrintF_AddToken("AppName", kProductName);
  VtPrintF_AddToken("AppName.Full", kProductFullName);
  VtPrintF_AddToken("AppName.Title", kProductTitle);
}
