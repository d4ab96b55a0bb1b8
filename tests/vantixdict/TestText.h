// Helpers shared by the vantixdict tests: running the core's parsers, picking findings.
#pragma once

#include "LineDiagnostics.h"
#include "PhraseTable.h"
#include "TipTable.h"

#include <string>
#include <string_view>
#include <vector>

inline std::size_t ImportInvalidCount(TableKind kind, std::u16string_view units) {
    if (kind == TableKind::Phrases) {
        PhraseTable table;
        return ParsePhraseText(table, units.data(), units.size(), 0);
    }
    TipTable table;
    return ParseTipsText(table, units.data(), units.size(), 0);
}

inline std::size_t ImportEntryCount(TableKind kind, std::u16string_view units) {
    if (kind == TableKind::Phrases) {
        PhraseTable table;
        ParsePhraseText(table, units.data(), units.size(), 0);
        return table.size();
    }
    TipTable table;
    ParseTipsText(table, units.data(), units.size(), 0);
    return table.size();
}

// The findings of one line, as "kind: message".
inline std::vector<std::string> FindingsOfLine(const TextCheck& check, std::size_t line) {
    std::vector<std::string> found;
    for (const Finding& finding : check.findings) {
        if (finding.line == line) found.push_back(std::string(SeverityName(finding.severity)) + ": " + finding.message);
    }
    return found;
}

inline bool Contains(const std::string& text, std::string_view part) {
    return text.find(part) != std::string::npos;
}

// Whether some finding of the line has the severity and holds the part.
inline bool HasFinding(const TextCheck& check, std::size_t line, Severity severity, std::string_view part) {
    for (const Finding& finding : check.findings) {
        if (finding.line == line && finding.severity == severity && Contains(finding.message, part)) return true;
    }
    return false;
}
