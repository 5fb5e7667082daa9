// What the tooltip of a list item or tree node says. A plug-in entry that
// its label does not tell apart from another one (an entry of the same
// name, or one the store knows only as "Not Installed NNN") shows its class
// key; a label that the list cuts short shows whole.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "model/node_kind.h"
#include "model/store_records.h"
#include "views/list_rows.h"

// The tip of `rows[row]`, the rows the list shows for a node of `kind`
// (built by BuildListRows from the same records); `cut` tells whether the
// list shows its label cut short. Empty when the label says it all.
std::string ListItemTip(const StoreRecords& records, NodeKind kind, const std::vector<ListRow>& rows, size_t row,
                        bool cut);

// The tip of a tree node of `kind` labelled `label`: for a plug-in node
// that stands for entries its label does not tell apart, the label and
// their class keys. Empty otherwise.
std::string TreeNodeTip(const StoreRecords& records, NodeKind kind, const char* label);
