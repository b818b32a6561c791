// The result list of the Windows build: a comctl32 list-view in report view.
//  [x] the settings of 超级列表框1: report view, single selection, full-row select, grid
//      lines, info tips, sub-item images, colours, default GUI font, sunken edge
//  [x] the three columns of RESULT_LIST_COLUMNS
//  [x] the six list_* operations, with the growing buffer for long cells
//  [x] the double-click event, raised before the list handles the double-click
//  [x] redraw held back while a fill runs, turned on again once the handler has returned
// Windows are handed over as void*, so that <windows.h> stays out of the callers.
#pragma once

#include "app/main_window.h"

// Creates 超级列表框1 as a hidden child of `parent` with the identifier `id`; null on
// failure. Its double-click event calls `on_double_clicked` (which may be null).
void* result_list_create(void* parent, const control_description& description, int id);
