// The store tree of a pane: its tree view brought in line with the pane's
// store, the lookups by label the other views use, and the selection change.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <cstddef>

#include "model/names.h"
#include "views/pane_win32.h"

// Labels are read with buffers of this size by the lookups.
constexpr size_t kNodeLabelSize = 2083;
// And with this one by GetNodeInfo, the pruning and the list.
constexpr size_t kItemLabelSize = kNameSize;

// Brings the tree in line with the pane's store; `packagePath` is the
// document's path for the package pane, null for the system pane.
void RebuildStoreTree(Pane& pane, const char* packagePath);

// The first child of `parent` (null: the top level) labelled `label` in any
// letter case, or null. Not a walk of the siblings.
HTREEITEM FindChildNode(Pane& pane, HTREEITEM parent, const char* label);

// The node's label cut to the buffer; empty for no node.
void GetNodeLabel(const Pane& pane, HTREEITEM node, char* buffer, size_t size);

// The node's kind, and its label and its parent's label when buffers are
// given (each cut to its buffer; the parent's label is empty at the top
// level). NodeKind::None, buffers untouched, when the node cannot be read.
NodeKind GetNodeInfo(const Pane& pane, HTREEITEM node, char* label, size_t labelSize, char* parentLabel,
                     size_t parentSize);

HTREEITEM GetSelectedNode(const Pane& pane);

// The pane's store holds neither chains nor plug-in entries.
bool IsStoreEmpty(const Pane& pane);

// The tree's selection changed (TVN_SELCHANGED): the selected node kind is
// read again and the list refilled.
void OnStoreTreeSelChanged(Pane& pane);

// The tree reports a node it deletes (TVN_DELETEITEM).
void OnStoreTreeNodeDeleted(Pane& pane, HTREEITEM node);

// Deletes every node, so that the next rebuild builds the tree anew.
void DeleteAllNodes(Pane& pane);
