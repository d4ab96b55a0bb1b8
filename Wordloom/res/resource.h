// Resource identifiers of the phrase tool (Wordloom.exe).
// Plain #defines: included by Wordloom.rc and by the C++ sources.
#ifndef WORDLOOM_RES_RESOURCE_H
#define WORDLOOM_RES_RESOURCE_H

// ---------------------------------------------------------------------------
// Icons
#define IDI_VANTIX              107   // window icon of the main window (suite icon)
#define IDI_WORDLOOM            131   // the phrase tool's own icon (About box)
#define IDI_ENTRY_NORMAL        135   // list row icon of a live entry
#define IDI_ENTRY_DELETED       136   // list row icon of an entry marked deleted

// ---------------------------------------------------------------------------
// Dialog templates
#define IDD_ABOUT               104
#define IDD_PHRASE_EDIT         132
#define IDD_FIND                133
#define IDD_TIP_EDIT            139
#define IDD_INVALID_LINES       140

// ---------------------------------------------------------------------------
// Accelerator tables
#define IDR_MAIN_ACCEL          130   // main window (message loop)
#define IDR_FIND_ACCEL          134   // single-letter keys of the Find dialog

// ---------------------------------------------------------------------------
// Commands sent by the accelerator tables
#define ID_ACCEL_SAVE           32785 // Ctrl+S
#define ID_ACCEL_INSERT         32786 // Ctrl+I
#define ID_ACCEL_FIND           32787 // Ctrl+F
#define ID_ACCEL_SELECT_ALL     32788 // Ctrl+A
#define ID_ACCEL_UNDELETE       32789 // Ctrl+Z
#define ID_ACCEL_DELETE         32796 // Delete
#define ID_ACCEL_TOGGLE_RIBBON  32797 // Ctrl+F1: collapse or expand the ribbon
#define ID_ACCEL_FILTER         32799 // Ctrl+E: the filter box of the current tab

#define ID_FIND_KEY_NEXT        32790 // F: Find Next
#define ID_FIND_KEY_MARK_ALL    32791 // M: Mark All
#define ID_FIND_KEY_WHAT        32792 // N: focus the find-what box
#define ID_FIND_KEY_WHOLE       32793 // W: toggle "match whole phrase"
#define ID_FIND_KEY_UP          32794 // U: search up
#define ID_FIND_KEY_DOWN        32795 // D: search down

// ---------------------------------------------------------------------------
// Controls
// About box (IDD_ABOUT)
#define IDC_ABOUT_ICON          1000
#define IDC_ABOUT_VERSION       1001
#define IDC_ABOUT_NOTE          1002
// Phrase edit dialog (IDD_PHRASE_EDIT); OK and Cancel are IDOK and IDCANCEL
#define IDC_EDIT_HELP           1003
#define IDC_PHRASE_LABEL        1004
#define IDC_PHRASE              1005
#define IDC_VANTIX_KEY_LABEL    1006
#define IDC_VANTIX_KEY          1007
#define IDC_INPUT_KEY_LABEL     1008
#define IDC_INPUT_KEY           1009
// Find dialog (IDD_FIND); Cancel is IDCANCEL
#define IDC_FIND_NEXT           1010
#define IDC_MARK_ALL            1011
#define IDC_FIND_WHAT_LABEL     1012
#define IDC_FIND_WHAT           1013
#define IDC_MATCH_WHOLE         1014
#define IDC_DIRECTION           1015
#define IDC_SEARCH_UP           1016
#define IDC_SEARCH_DOWN         1017
// Associated-word editor (IDD_TIP_EDIT); confirm and Cancel are IDOK and IDCANCEL
#define IDC_TIP_CHAR_LABEL      1018
#define IDC_TIP_CHAR            1019
#define IDC_TIP_WORDS_LABEL     1020
#define IDC_TIP_WORD_LIST       1021
#define IDC_TIP_UP              1022
#define IDC_TIP_DOWN            1023
#define IDC_TIP_ADD_WORD        1024
#define IDC_TIP_WORD            1025
#define IDC_TIP_DELETE          1026
#define IDC_PHRASE_FILTER       1030
#define IDC_TIP_FILTER          1031
#define IDC_STATUS_BAR          1032
// Invalid Lines report (IDD_INVALID_LINES); Close is IDCANCEL
#define IDC_INVALID_LINES_LIST  1040
#define IDC_INVALID_LINES_COPY  1041
#define IDC_INVALID_LINES_GRIP  1042

// ---------------------------------------------------------------------------
// Strings (both languages, same identifiers)
#define IDS_APP_TITLE           102   // main window caption, also the single-instance key
#define IDS_ABOUT_CAPTION       109
#define IDS_ABOUT_VERSION       110   // "%s" = ProductVersion
#define IDS_ABOUT_NOTE          111
#define IDS_OK                  112
#define IDS_PHRASE_EDIT_CAPTION 113
#define IDS_PHRASE_EDIT_HELP    114
#define IDS_PHRASE_LABEL        115
#define IDS_VANTIX_KEY_LABEL    116
#define IDS_INPUT_KEY_LABEL     117
#define IDS_CANCEL              118
#define IDS_FIND_CAPTION        119
#define IDS_FIND_NEXT           120
#define IDS_MARK_ALL            121
#define IDS_FIND_WHAT           122
#define IDS_MATCH_WHOLE         123
#define IDS_DIRECTION           124
#define IDS_SEARCH_UP           125
#define IDS_SEARCH_DOWN         126
#define IDS_COLUMN_PHRASE       127
#define IDS_COLUMN_VANTIX_KEY   128
#define IDS_COLUMN_INPUT_KEY    129

#define IDS_ADD                 200
#define IDS_BAD_KEY_TITLE       201
#define IDS_BAD_KEY_TEXT        202
#define IDS_INFORMATION         203
#define IDS_PHRASE_EXISTS       204
#define IDS_PHRASE_TOO_LONG_TITLE 205
#define IDS_PHRASE_TOO_LONG_TEXT  206
#define IDS_NOT_FOUND_TITLE     207
#define IDS_NOT_FOUND_TEXT      208   // "%s" = the text searched for
#define IDS_IMPORT_PHRASES_TITLE 209
#define IDS_FILTER_DATA_FILES   210
#define IDS_EXPORT_PHRASES_TITLE 211
#define IDS_SAVE_PROMPT         212
#define IDS_FILE_TOO_LARGE      213
#define IDS_FILE_ACCESS_FAILED  214
#define IDS_IMPORT_RESULT       215   // "%d" entries, "%d" invalid lines
#define IDS_NO_PHRASE_TO_EXPORT 216
#define IDS_FILE_CREATE_FAILED  217
#define IDS_FILE_WRITE_FAILED   218
#define IDS_REGISTRY_WRITE_FAILED 219

// Ribbon labels and tooltips
#define IDS_RIBBON_HOME         220
#define IDS_RIBBON_INSERT       221
#define IDS_RIBBON_DELETE       222
#define IDS_RIBBON_MODIFY       223
#define IDS_RIBBON_UNDELETE     224
#define IDS_RIBBON_SELECT_ALL   225
#define IDS_RIBBON_FIND         226
#define IDS_RIBBON_SORT         227
#define IDS_RIBBON_IMPORT       228
#define IDS_RIBBON_EXPORT       229
#define IDS_RIBBON_SAVE         230
#define IDS_RIBBON_ABOUT        231
#define IDS_RIBBON_EXIT         232
#define IDS_RIBBON_SORT_BY_PHRASE     233
#define IDS_RIBBON_SORT_BY_VANTIX_KEY 234
#define IDS_RIBBON_SORT_BY_INPUT_KEY  235
#define IDS_RIBBON_ASCENDING    236
#define IDS_RIBBON_DESCENDING   237
#define IDS_TOOLTIP_INSERT_TITLE    238
#define IDS_TOOLTIP_INSERT          239
#define IDS_TOOLTIP_DELETE_TITLE    240
#define IDS_TOOLTIP_DELETE          241
#define IDS_TOOLTIP_MODIFY_TITLE    242
#define IDS_TOOLTIP_MODIFY          243
#define IDS_TOOLTIP_UNDELETE_TITLE  244
#define IDS_TOOLTIP_UNDELETE        245
#define IDS_TOOLTIP_SELECT_ALL_TITLE 246
#define IDS_TOOLTIP_SELECT_ALL      247
#define IDS_TOOLTIP_FIND_TITLE      248
#define IDS_TOOLTIP_FIND            249
#define IDS_TOOLTIP_SORT            251
#define IDS_TOOLTIP_IMPORT_PHRASES  253
#define IDS_TOOLTIP_EXPORT_PHRASES  255
#define IDS_TOOLTIP_SAVE_TITLE      256
#define IDS_TOOLTIP_SAVE_PHRASES    257
#define IDS_TOOLTIP_ABOUT           259
#define IDS_TOOLTIP_EXIT            261
#define IDS_RIBBON_GROUP_EDIT   262
#define IDS_RIBBON_GROUP_VIEW   263

#define IDS_NO_TIP_TO_EXPORT    264
#define IDS_TIPS_NOT_FOUND      265
#define IDS_TAB_PHRASES         266
#define IDS_TAB_TIPS            267
#define IDS_COLUMN_CHARACTER    268
#define IDS_COLUMN_TIP_WORDS    269

// Associated-word editor
#define IDS_TIP_EDIT_CAPTION    270
#define IDS_TIP_CHAR_LABEL      271
#define IDS_TIP_WORDS_LABEL     272
#define IDS_TIP_ADD_WORD        273
#define IDS_TIP_UP              274
#define IDS_TIP_DOWN            275
#define IDS_WORD_TOO_LONG_TITLE 276
#define IDS_WORD_TOO_LONG_TEXT  277
#define IDS_TIP_INFO_TITLE      278
#define IDS_SUPPLEMENTARY_CHAR  279
#define IDS_WORD_EXISTS         280
#define IDS_TIP_ERROR_TITLE     281
#define IDS_CHAR_EXISTS         282
#define IDS_TOO_MANY_CHARS      283
#define IDS_TIP_DELETE_WORD     284

#define IDS_TOOLTIP_IMPORT_TIPS     285
#define IDS_TOOLTIP_EXPORT_TIPS     286
#define IDS_TOOLTIP_SAVE_TIPS       287
#define IDS_IMPORT_TIPS_TITLE   288
#define IDS_EXPORT_TIPS_TITLE   289
#define IDS_FILTER_ALL_FILES    290
#define IDS_WORD_HAS_SEPARATOR  291

// Import and merge
#define IDS_RIBBON_IMPORT_MERGE         300
#define IDS_TOOLTIP_IMPORT_MERGE_TITLE  301
#define IDS_TOOLTIP_IMPORT_MERGE_PHRASES 302
#define IDS_TOOLTIP_IMPORT_MERGE_TIPS   303
#define IDS_MERGE_PHRASES_RESULT        304   // "%d" added, "%d" already there, "%d" invalid lines
#define IDS_MERGE_TIPS_RESULT           305   // "%d" added, "%d" extended, "%d" invalid lines
#define IDS_NOTHING_IMPORTED            306   // "%d" invalid lines
#define IDS_TABLE_TOO_LARGE             307
#define IDS_PHRASES_UNREADABLE          308
#define IDS_TIPS_UNREADABLE             309
#define IDS_SAVE_WITHOUT_BACKUP         310
#define IDS_SHUTDOWN_REASON             311
#define IDS_FILTER_CUE                  312
#define IDS_STATUS_PHRASES              313
#define IDS_STATUS_TIPS                 314
#define IDS_STATUS_SHOWN                315
#define IDS_RIBBON_FILTER               316
#define IDS_TOOLTIP_FILTER_TITLE        317
#define IDS_TOOLTIP_FILTER              318

// Invalid Lines report (IDD_INVALID_LINES) and the question after an import
#define IDS_SHOW_INVALID_LINES          320
#define IDS_INVALID_LINES_CAPTION       321
#define IDS_INVALID_COLUMN_LINE         322
#define IDS_INVALID_COLUMN_REASON       323
#define IDS_INVALID_COLUMN_TEXT         324
#define IDS_INVALID_COPY                325
#define IDS_INVALID_CLOSE               326
#define IDS_RIBBON_RECENT_ITEMS         327
// Why a line is invalid: IDS_REASON_NO_ENCODING + the core's InvalidReason, in its order
#define IDS_REASON_NO_ENCODING          330
#define IDS_REASON_NOT_DECODED          331
#define IDS_REASON_EMPTY_LINE           332
#define IDS_REASON_NO_TAB               333
#define IDS_REASON_EMPTY_KEY            334
#define IDS_REASON_TAB_IN_KEY           335
#define IDS_REASON_NOT_KEY              336
#define IDS_REASON_TWO_UNIT_KEY         337
#define IDS_REASON_NO_EQUALS            338
#define IDS_REASON_NO_CHARACTER         339
#define IDS_REASON_EQUALS_IN_CHARACTER  340
#define IDS_REASON_TWO_UNIT_CHARACTER   341
#define IDS_REASON_LONG_CHARACTER       342

#endif // WORDLOOM_RES_RESOURCE_H
