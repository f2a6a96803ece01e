// The system's file-open chooser, worked as the user works it.
#ifndef TAVELIN_TESTS_WIN32_FILE_CHOOSER_H
#define TAVELIN_TESTS_WIN32_FILE_CHOOSER_H

#include <windows.h>

#include <string>

// The chooser's file name field: an edit inside the name combo box.
HWND ChooserNameEdit(HWND chooser);

// Types a name into the chooser and confirms it.
void ChooseInChooser(HWND chooser, const std::wstring& path);

#endif
