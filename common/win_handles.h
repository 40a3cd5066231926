// Owners for the Win32 handle kinds, each with the call that closes it.
#pragma once

#include <windows.h>

#include "common/scoped_handle.h"

struct FileHandleTraits {  // CreateFileA, CreateToolhelp32Snapshot: INVALID_HANDLE_VALUE on failure
    using Handle = HANDLE;
    static Handle Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(Handle handle) { CloseHandle(handle); }
};
using ScopedFile = ScopedHandle<FileHandleTraits>;

struct KernelObjectTraits {  // OpenProcess, CreateProcessA's handles: NULL on failure
    using Handle = HANDLE;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle handle) { CloseHandle(handle); }
};
using ScopedKernelObject = ScopedHandle<KernelObjectTraits>;

struct FindHandleTraits {  // FindFirstFileA
    using Handle = HANDLE;
    static Handle Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(Handle handle) { FindClose(handle); }
};
using ScopedFind = ScopedHandle<FindHandleTraits>;

struct RegistryHandleTraits {  // RegOpenKeyExA, RegCreateKeyExA
    using Handle = HKEY;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle key) { RegCloseKey(key); }
};
using ScopedRegistryHandle = ScopedHandle<RegistryHandleTraits>;

struct LocalMemoryTraits {  // FormatMessageA with FORMAT_MESSAGE_ALLOCATE_BUFFER
    using Handle = char*;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle memory) { LocalFree(memory); }
};
using ScopedLocalText = ScopedHandle<LocalMemoryTraits>;
