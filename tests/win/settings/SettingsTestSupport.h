// What the settings tool's Windows tests share: the stored file and registry value, running
// the configure dialog step by step inside its own modal loop, and reaching its controls.
#pragma once

#include "DialogDriver.h"
#include "SettingsRecord.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

// ---- The stores ----

std::wstring SettingsFile();     // %APPDATA%\VantixIME\user.dat
std::wstring SettingsFolder();   // %APPDATA%\VantixIME
void RemoveStoredSettings();     // the file (or a folder in its place) and the registry key
void WriteSettingsFile(const std::string& bytes);
std::optional<std::string> ReadSettingsFile();  // nothing when there is no file
std::string BytesOfWord(SettingsWord word);     // the four stored bytes
std::optional<DWORD> RegistrySettingsValue();   // the REG_DWORD, if there is one of that type

// What the program is told it runs on: ctest runs the tests as a program that Wine presents
// Windows 10 to and as a copy presented Windows 7.
bool RunsOnWindows8OrLater();
bool RunsOnWindows8Point1OrLater();

// Starts every test with nothing stored, and leaves nothing behind.
class SettingsTest : public ::testing::Test {
protected:
    void SetUp() override { RemoveStoredSettings(); }
    void TearDown() override { RemoveStoredSettings(); }
};

// ---- The configure dialog ----

using DialogStep = std::function<void(HWND frame)>;

// Shows the real configure dialog (letter keys included) and runs each step from a timer in
// its own modal loop, one after the other: what a step posts (keys, clicks) is handled before
// the next step runs. The last step should close the dialog; a dialog still open ten seconds
// after its last step is closed with a failure. Returns the dialog's result.
INT_PTR RunConfigureBox(const std::vector<DialogStep>& steps);

// A control of the frame or of one of its pages.
HWND FindControl(HWND frame, int id);
bool IsMarked(HWND frame, int id);
bool IsEnabled(HWND frame, int id);
bool IsShown(HWND window);  // its own visible style, whatever its parents
HWND PageOf(HWND frame, int controlId);

// Input as the user gives it, posted to the dialog's loop.
void PressLetter(char letter);           // to the control with the focus (PressKey: the driver's)
void ClickTab(HWND frame, int index);    // a mouse click on the tab
// A click on a button as the mouse gives it (BM_CLICK): the control changes its own mark and
// notifies its page, which passes it on to the frame.
void ClickButton(HWND frame, int id);
// Selects a list item and sends the page the notification the list would send.
void SelectListItem(HWND frame, int listId, int index);

// The bitmap a picture control shows, and whether two bitmaps hold the same pixels.
HBITMAP ShownPicture(HWND frame);
bool SamePixels(HBITMAP a, HBITMAP b);

// ---- The real program ----

// The settings tool built beside the tests, with backslashes.
std::wstring SettingsToolPath();
// The visible dialog of a process once it is up, or null after ten seconds.
HWND WaitForDialogOf(DWORD processId);

// ---- The phrase tool stand-in beside the test program ----

// The stand-in Wordloom.exe writes one line per start to this file.
std::wstring PhraseToolStartsLog();
// Waits up to five seconds for the log to hold `count` lines; returns how many it holds.
int WaitForPhraseToolStarts(int count);
