// Resource identifiers of the settings tool (Vantixcfg.exe).
// Plain #defines: included by Vantixcfg.rc and by the C++ sources.
#ifndef VANTIXCFG_RES_RESOURCE_H
#define VANTIXCFG_RES_RESOURCE_H

// ---------------------------------------------------------------------------
// Icons
#define IDI_VANTIX              107   // window icon of both dialogs, icon of the About box

// ---------------------------------------------------------------------------
// Keyboard-layout preview bitmaps (600 x 160, 8 bits per pixel), 143 + layout index
#define IDB_LAYOUT_QWERTY       143
#define IDB_LAYOUT_DVORAK       144   // Dvorak for two hands
#define IDB_LAYOUT_DVORAK_RIGHT 145   // Dvorak for the right hand
#define IDB_LAYOUT_DVORAK_LEFT  146   // Dvorak for the left hand

// ---------------------------------------------------------------------------
// Dialog templates
#define IDD_ABOUT               103
#define IDD_CONFIGURE           111   // frame with the tab control
#define IDD_PAGE_GENERAL        132
#define IDD_PAGE_ADVANCED       133
#define IDD_PAGE_KEYBOARD       134

// ---------------------------------------------------------------------------
// Accelerator table: single letters of the configure dialog (no modifier)
#define IDR_LETTER_KEYS         131

#define ID_KEY_PROMPT_TIPS      32771 // A
#define ID_KEY_SPACE_FINALIZES  32772 // S
#define ID_KEY_EXT_B            32773 // B
#define ID_KEY_EXT_CD           32774 // C
#define ID_KEY_PHRASE_INPUT     32775 // P
#define ID_KEY_WARNING_BEEP     32776 // W
#define ID_KEY_SHOW_READING     32777 // Q
#define ID_KEY_ANY_SHIFT        32778 // X
#define ID_KEY_LEFT_SHIFT       32779 // L
#define ID_KEY_RIGHT_SHIFT      32780 // R
#define ID_KEY_CUE_SPECIAL_CODE 32781 // U
#define ID_KEY_ALPHANUMERIC     32782 // N
#define ID_KEY_BUILT_IN_PHRASES 32783 // I
#define ID_KEY_USER_PHRASES     32784 // D
#define ID_KEY_BOTH_PHRASES     32785 // T
#define ID_KEY_PHRASE_TOOL      32786 // V
#define ID_KEY_EXT_E            32787 // E
#define ID_KEY_EXT_F            32788 // F

// ---------------------------------------------------------------------------
// Controls
// About box (IDD_ABOUT); OK is IDOK
#define IDC_ABOUT_VERSION       1000
#define IDC_ABOUT_NOTE          1001
#define IDC_ABOUT_ICON          1002
// Frame (IDD_CONFIGURE); OK and Cancel are IDOK and IDCANCEL
#define IDC_PHRASE_TOOL         1011
#define IDC_TABS                1028
// General page
#define IDC_PROMPT_TIPS         1003
#define IDC_SPACE_FINALIZES     1004
#define IDC_EXT_B               1005
#define IDC_EXT_CD              1006
#define IDC_UNICODE_GROUP       1007
#define IDC_CUE_SPECIAL_CODE    1016
#define IDC_ALPHANUMERIC        1017
#define IDC_GENERAL_LINE        1022
#define IDC_GENERAL_HEADING     1023
#define IDC_OUTPUT_LINE         1024
#define IDC_OUTPUT_HEADING      1025
#define IDC_EXT_E               1034
#define IDC_EXT_F               1035
#define IDC_FONT_HINT           1036
#define IDC_FONT_LABEL          1037
#define IDC_FONT_SIZE           1038
// Advanced page
#define IDC_PHRASE_INPUT        1008
#define IDC_WARNING_BEEP        1009
#define IDC_SHOW_READING        1010
#define IDC_SHIFT_GROUP         1012
#define IDC_ANY_SHIFT           1013
#define IDC_LEFT_SHIFT          1014
#define IDC_RIGHT_SHIFT         1015
#define IDC_PHRASE_SOURCE_GROUP 1018
#define IDC_BUILT_IN_PHRASES    1019
#define IDC_USER_PHRASES        1020
#define IDC_BOTH_PHRASES        1021
#define IDC_ADVANCED_HEADING    1026
#define IDC_ADVANCED_LINE       1027
// Keyboard page
#define IDC_KEYBOARD_HEADING    1029
#define IDC_KEYBOARD_LINE       1030
#define IDC_KEYBOARD_HINT       1031
#define IDC_KEYBOARD_LAYOUT     1032
#define IDC_LAYOUT_PREVIEW      1033

// ---------------------------------------------------------------------------
// Strings (both languages, same identifiers)
#define IDS_ABOUT_CAPTION       104
#define IDS_ABOUT_VERSION       105   // "%s" = ProductVersion
#define IDS_ABOUT_NOTE          106
#define IDS_OK                  109
#define IDS_CANCEL              110
#define IDS_CONFIGURE_CAPTION   112
#define IDS_PROMPT_TIPS         113
#define IDS_SPACE_FINALIZES     114
#define IDS_EXT_B               115
#define IDS_EXT_CD              116
#define IDS_UNICODE_GROUP       117
#define IDS_PHRASE_INPUT        118
#define IDS_WARNING_BEEP        119
#define IDS_SHOW_READING        120
#define IDS_PHRASE_TOOL         121
#define IDS_SHIFT_GROUP         122
#define IDS_ANY_SHIFT           123
#define IDS_LEFT_SHIFT          124
#define IDS_RIGHT_SHIFT         125
#define IDS_CUE_SPECIAL_CODE    126
#define IDS_ALPHANUMERIC        127
#define IDS_BUILT_IN_PHRASES    128
#define IDS_USER_PHRASES        129
#define IDS_BOTH_PHRASES        130
#define IDS_EXT_E               135
#define IDS_EXT_F               136

#define IDS_TAB_GENERAL         2000
#define IDS_TAB_ADVANCED        2001
#define IDS_GENERAL_HEADING     2002
#define IDS_OUTPUT_HEADING      2003
#define IDS_ADVANCED_HEADING    2004
#define IDS_KEYBOARD_HEADING    2005
#define IDS_KEYBOARD_HINT       2006
#define IDS_TAB_KEYBOARD        2007
#define IDS_LAYOUT_QWERTY       2008
#define IDS_LAYOUT_DVORAK       2009
#define IDS_LAYOUT_DVORAK_RIGHT 2010
#define IDS_LAYOUT_DVORAK_LEFT  2011
#define IDS_FONT_NORMAL         2012
#define IDS_FONT_LARGE          2013
#define IDS_FONT_EXTRA_LARGE    2014
#define IDS_FONT_HINT           2015
#define IDS_FONT_LABEL          2016

#endif // VANTIXCFG_RES_RESOURCE_H
