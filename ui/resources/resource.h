// Resource ids of jvmhost.exe.
#ifndef JVMHOST_RESOURCE_H
#define JVMHOST_RESOURCE_H

// The string table's texts.
#include "../../report/message_ids.h"

#define IDI_APPLICATION_ICON 101

// Dialogs.
#define IDD_JRE_NOT_FOUND 201
#define IDD_JAVA_EXCEPTION 231

// Dialog controls.
#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif
#define IDC_JRE_PATH 201
#define IDC_BROWSE 202
#define IDC_MESSAGE 203
#define IDC_ERROR_ICON 204
#define IDC_DOWNLOAD_LINK 205
#define IDC_BROWSE_HINT 206
#define IDC_STACK_TRACE 208
#define IDC_EXCEPTION_GROUP 209
#define IDC_EXCEPTION_INTRO 210
#define IDC_EXCEPTION_CHOICE 211
#define IDC_EXCEPTION_WARNING 212
#define IDC_SIZE_GRIP 0xE801

#endif
