// The journal file: a RIFF form of its own. One home for the layout, used
// by the writer and the reader.
//
//   RIFF 'ORJL'
//     'jhdr'  u32 version, u32 operation, u64 time, u32 items, u32 values,
//             u32 files, u32 created keys, u32 created folders
//     'item'  the item in words
//     'rval'  u32 item, u32 present, u32 type, u32 key length, key,
//             u32 name length, name, then the bytes
//     'file'  u32 item, u32 present, u32 path length, path, then the bytes
//     'mkey'  a created key's path
//     'mdir'  a created folder's path
//
// The marker that a journal's group finished is a form of its own:
//   RIFF 'ORJE'  'jend' u32 version, u32 status
//                'hash' u32 count, then a u64 digest of each item's state
// Texts are stored without their NUL. Chunks come in the order above; the
// header's counts must match the chunks that follow, so a journal cut short
// is refused.
#pragma once

#include <cstdint>

#include "package/riff.h"

constexpr RiffId kJournalForm = RiffFourCC("ORJL");
constexpr RiffId kJournalHeader = RiffFourCC("jhdr");
constexpr RiffId kJournalItem = RiffFourCC("item");
constexpr RiffId kJournalValue = RiffFourCC("rval");
constexpr RiffId kJournalFileChunk = RiffFourCC("file");
constexpr RiffId kJournalCreatedKey = RiffFourCC("mkey");
constexpr RiffId kJournalCreatedFolder = RiffFourCC("mdir");
constexpr RiffId kJournalEndForm = RiffFourCC("ORJE");
constexpr RiffId kJournalEnd = RiffFourCC("jend");
constexpr RiffId kJournalDigests = RiffFourCC("hash");

constexpr uint32_t kJournalVersion = 1;
constexpr uint32_t kJournalHeaderSize = 36;
constexpr uint32_t kJournalEndSize = 8;

// Bounds the reader holds every journal to.
constexpr uint32_t kJournalMaxText = 16383;            // a key, value name, path or item text
constexpr uint32_t kJournalMaxEntries = 4u * 1000 * 1000;  // chunks of one kind
constexpr uint32_t kJournalMaxBytes = 64u * 1024 * 1024;   // the bytes of one value or file
