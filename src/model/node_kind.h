// The kinds of node a store tree shows, and where the keyboard focus is in
// a pane. Tree nodes and list items carry labels and a kind, never record
// pointers: every operation finds its records again by label.
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

// Which control of the active pane holds the keyboard focus.
enum class FocusKind { None = 0, Tree = 1, List = 2 };
