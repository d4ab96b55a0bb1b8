// Import and merge: the valid lines of a file join a table instead of replacing it. Nothing the
// table holds is removed or reordered, so nothing is lost and there is nothing to save first.
#pragma once

#include "Ordering.h"
#include "PhraseTable.h"
#include "TipTable.h"

#include <cstddef>
#include <cstdint>

struct PhraseMergeCounts {
    std::size_t added = 0;         // lines appended at the end of the table
    std::size_t alreadyThere = 0;  // valid lines whose phrase the table had (or an earlier line)
    std::size_t invalidLines = 0;
};

// Appends each valid line of the phrase text, in the text's order, unless its phrase equals,
// ignoring ASCII case, one the table already holds (marked entries included) or one an earlier
// line brought. When anything was added the table counts as changed and, as after an Insert, no
// column counts as sorted any more. The flag of marked entries is left as it was.
PhraseMergeCounts MergePhrasesFromText(UserPhrases& phrases, PhraseSortState& sort,
                                       const char16_t* units, std::size_t count,
                                       std::int32_t normalImage);

struct TipMergeCounts {
    std::size_t added = 0;     // entries appended for characters the table did not have
    std::size_t extended = 0;  // entries the table had before that got at least one word
    std::size_t invalidLines = 0;
};

// Merges the entries of the tips text, in the text's order. A character the table does not have
// (ASCII letters in either case, as the editor compares them) gets its entry appended as it was
// read. For a character it has, the first entry of that character (marked or not) gets the
// words it lacks, compared ignoring ASCII case, appended in the text's order; its other words,
// its flags and its place stay. A later line for a character an earlier line added extends that
// new entry the same way. The table counts as changed when anything was added or extended.
// Words are taken as the file has them: like Import, the merge does not hold them to the
// editor's 8 units, and the stored form limits neither the number nor the length of words.
TipMergeCounts MergeTipsFromText(UserTips& tips, const char16_t* units, std::size_t count,
                                 std::int32_t normalImage);
