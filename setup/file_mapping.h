// Owners for a file mapping and its view. CreateFileMappingA fails with NULL, unlike CreateFileA.
#pragma once

#include <windows.h>

#include "common/scoped_handle.h"

struct FileMappingTraits {  // CreateFileMappingA
    using Handle = HANDLE;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle mapping) { CloseHandle(mapping); }
};
using ScopedFileMapping = ScopedHandle<FileMappingTraits>;

struct MappedViewTraits {  // MapViewOfFile
    using Handle = void*;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle view) { UnmapViewOfFile(view); }
};
using ScopedMappedView = ScopedHandle<MappedViewTraits>;
