// The product's names and version, in one place: the string tokens every
// text may refer to, the settings key and the message-box caption.
#pragma once

#include <cstdint>

constexpr const char* kProductName = "Ordalis";                 // $(AppName); the settings key
constexpr const char* kProductFullName = "Veltrane Ordalis";    // $(AppName.Full); captions
constexpr const char* kProductTitle = "Veltrane Ordalis 1.0";   // $(AppName.Title)
constexpr uint32_t kProductVersion = 0x01000049;                // 1.0, build 73

// Registers the tokens AppName, AppName.Full and AppName.Title.
void VtRegisterProductTokens();
