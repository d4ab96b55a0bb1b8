// What the ribbon keeps under HKEY_CURRENT_USER\Software\VantixIME between runs: the recent
// items ("UPTMRUList") and the ribbon's own settings ("UPTRibbonState"). Failures are silent:
// the list stays empty, the ribbon keeps its defaults, nothing is written.
#pragma once

#include "RecentItems.h"
#include "RibbonInterfaces.h"

// The stored list, or an empty one when the key or the value is missing or malformed.
RecentItems LoadRecentItems();
void SaveRecentItems(const RecentItems& items);

// Lets the ribbon read its settings from the stored value, opened as a read-only stream.
void LoadRibbonSettings(IRibbonView& view);
// Lets the ribbon write its settings into memory and stores them whole, or not at all.
void SaveRibbonSettings(IRibbonView& view);
