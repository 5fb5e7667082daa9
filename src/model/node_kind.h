// The kinds of node a store tree shows. Tree nodes and list items carry
// labels and a kind, never record pointers: every operation finds its
// records again by label.
#pragma once

enum class NodeKind {
  None = 0,
  PackageRoot = 1,  // the store itself
  PlugInGroup = 2,  // "FX Plug-Ins"
  PlugIn = 3,
  Preset = 4,
  ChainGroup = 5,  // "FX Chains"
  Chain = 6,
};

constexpr const char* kPlugInGroupLabel = "FX Plug-Ins";
constexpr const char* kChainGroupLabel = "FX Chains";

// Where the keyboard focus is in the active pane.
constexpr int kFocusNone = 0;
constexpr int kFocusTree = 1;
constexpr int kFocusList = 2;
