// What a pane's selection covers while a find narrows the panes: a node
// stands for the items it shows, never for hidden ones. The copy, the
// delete and a drag take these selections in place of the one gathered.
#pragma once

#include <cstdint>
#include <vector>

#include "edit/selection_edit.h"
#include "model/name_match.h"
#include "model/store_records.h"

// Replaces every group, root and plug-in named by `selection` with
// selections of the presets and chains `match` keeps below it (one per
// plug-in entry, one for the chains); presets and chains named themselves
// stay. An inactive match gives the selection as it is. Gives 0 or
// E_OUTOFMEMORY.
int32_t NarrowSelection(const StoreRecords& records, const NameMatch& match, const Selection& selection,
                        std::vector<Selection>* shown);
