// Command identifiers that reach the main window, whatever their source: the ribbon markup,
// the accelerator table or the context popup.
#pragma once

#include "res/resource.h"

enum Command : unsigned {
    cmdHome = 2,
    cmdFileMenu = 3,
    cmdQAT = 4,
    cmdEditContextMenu = 5,
    cmdMRUList = 6,
    cmdGroupEdit = 7,
    cmdGroupView = 8,
    cmdSort = 9,
    cmdAscendingSort = 10,
    cmdDescendingSort = 11,
    cmdAbout = 105,
    cmdExit = 106,
    cmdImport = 32773,
    cmdExport = 32774,
    cmdSave = 32775,
    cmdUndelete = 32776,
    cmdInsert = 32777,
    cmdDelete = 32778,
    cmdModify = 32779,
    cmdSelectAll = 32780,
    cmdFind = 32781,
    cmdSortByPhrase = 32782,
    cmdSortByVantixInputKey = 32783,
    cmdSortByInputKey = 32784,
    cmdImportMerge = 32798,
    cmdFilter = 32800,
    cmdAccelSave = ID_ACCEL_SAVE,
    cmdAccelInsert = ID_ACCEL_INSERT,
    cmdAccelFind = ID_ACCEL_FIND,
    cmdAccelSelectAll = ID_ACCEL_SELECT_ALL,
    cmdAccelUndelete = ID_ACCEL_UNDELETE,
    cmdAccelDelete = ID_ACCEL_DELETE,
    cmdAccelToggleRibbon = ID_ACCEL_TOGGLE_RIBBON,
    cmdAccelFilter = ID_ACCEL_FILTER,
};

static_assert(cmdAccelSave == 32785 && cmdAccelInsert == 32786 && cmdAccelFind == 32787 &&
                  cmdAccelSelectAll == 32788 && cmdAccelUndelete == 32789 && cmdAccelDelete == 32796,
              "the accelerator table sends these identifiers");
