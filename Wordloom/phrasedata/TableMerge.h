// Import and merge: the valid lines of a file join a table instead of replacing it. Nothing the
// table holds is removed or reordered, so nothing is lost and there is nothing to save first.
#pragma once

#include "Ordering.h"
#include "PhraseTable.h"
#include "TipTable.h"

#include <cstddef>
#include <cstdint>

// Imported, or why nothing changed: NothingRead (no valid line), TableTooLarge (the stored form
// of the table's entries would grow past MaxImportFileSize, so that its export would not import
// again; a table already larger may still take lines that add nothing).
struct PhraseMergeCounts {
    ImportOutcome outcome = ImportOutcome::Imported;
    std::size_t added = 0;         // lines appended at the end of the table
    std::size_t alreadyThere = 0;  // valid lines the table had (or an earlier line brought)
    std::size_t invalidLines = 0;
};

// Appends each valid line of the phrase text, in the text's order, unless it is already there:
// an unmarked row, or a row an earlier line added, has the same input key (keys are upper case
// once read, and compared unit for unit) and a phrase equal to the line's ignoring ASCII case.
// A phrase the table has under another key is added, so the new key binding is kept; a line
// equal to a marked row is added too (unmarked), as the marked row goes at the next save. When
// anything was added the table counts as changed and, as after an Insert, no column counts as
// sorted any more. Rows already there keep their flags, icons and places.
PhraseMergeCounts MergePhrasesFromText(UserPhrases& phrases, PhraseSortState& sort,
                                       const char16_t* units, std::size_t count,
                                       std::int32_t normalImage);

struct TipMergeCounts {
    ImportOutcome outcome = ImportOutcome::Imported;  // as for phrases
    std::size_t added = 0;     // entries appended: no unmarked entry of the character was there
    std::size_t extended = 0;  // entries the table had before that got at least one word
    std::size_t invalidLines = 0;
};

// Merges the entries of the tips text, in the text's order. A line goes to the first entry of
// its character that is not marked deleted, the characters compared unit for unit (as the parser
// keeps them, so "a" and "A" are different characters): that entry gets the words of the line it
// lacks, compared ignoring ASCII case, appended in the text's order; its other words, its flags
// and its place stay. When the table has no such entry (none of the character, or only marked
// ones) the line's entry is appended as it was read, and later lines of that character extend
// the new entry. Marked entries are left as they are. The table counts as changed when anything
// was added or extended. Words are taken as the file has them: like Import, the merge does not
// hold them to the editor's 8 units, and the stored form limits neither the number nor the
// length of words.
TipMergeCounts MergeTipsFromText(UserTips& tips, const char16_t* units, std::size_t count,
                                 std::int32_t normalImage);
