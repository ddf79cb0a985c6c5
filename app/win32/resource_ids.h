// SPDX-License-Identifier: MIT
// Resource numbers, shared by the resource script and the window code, so plain C macros.
#ifndef APP_WIN32_RESOURCE_IDS_H
#define APP_WIN32_RESOURCE_IDS_H

#define IDI_NAME 1
#define IDI_SEARCH 2

#endif
