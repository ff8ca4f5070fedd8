// Test builds only: every file-system call of the Installer's code passes through one seam, which
// can make the Nth call fail, or stop the run there as a power cut does (that call and every
// later one reach no disk). The build of the campaign's library (tests/win32/
// fault_campaign_tests.cmake) includes this header before every source of the Installer, so that
// the shipped sources stay as they are; the seam itself (file_system_seam.cpp) is compiled
// without it and calls the system.
#pragma once

#include <windows.h>

#include <cstddef>

// What the seam does with the calls it counts, numbered from 1: each number 0 stands for none.
struct SeamFaults {
  long failAt = 0;       // this call fails (ERROR_ACCESS_DENIED), as a scanner or a full disk
  long failAgainAt = 0;  // and this one
  long stopAt = 0;       // from this call on, every call fails without reaching the disk
};

// The kinds of call, for the campaign's spread over them.
enum SeamCallKind {
  kSeamCreateFile, kSeamReadFile, kSeamWriteFile, kSeamFlush, kSeamClose, kSeamMove,
  kSeamDelete, kSeamSetAttributes, kSeamGetAttributes, kSeamFind, kSeamCreateFolder,
  kSeamFileSize, kSeamSeek, kSeamCallKinds
};

// Arms the seam: calls are counted from 1 on; `kinds`, when not null, receives the kind of each
// call up to `kindsSize` of them.
void ArmSeam(SeamFaults faults, unsigned char* kinds = nullptr, size_t kindsSize = 0);
// Disarms it and returns how many calls it counted. After a stop, the handles that the stopped
// run left open are closed, as the system closes them when the machine starts again.
long DisarmSeam();
// Landmarks of the last armed run, by the calls that name the run's record ("~K7Setup.run"):
// the first that makes it (the run's changes begin) and the last that renames it (the commit);
// 0 when there was none.
long RecordMadeAt();
long RecordRenamedAt();

HANDLE WINAPI SeamCreateFileA(LPCSTR, DWORD, DWORD, LPSECURITY_ATTRIBUTES, DWORD, DWORD, HANDLE);
BOOL WINAPI SeamReadFile(HANDLE, LPVOID, DWORD, LPDWORD, LPOVERLAPPED);
BOOL WINAPI SeamWriteFile(HANDLE, LPCVOID, DWORD, LPDWORD, LPOVERLAPPED);
BOOL WINAPI SeamFlushFileBuffers(HANDLE);
BOOL WINAPI SeamCloseHandle(HANDLE);
BOOL WINAPI SeamMoveFileA(LPCSTR, LPCSTR);
BOOL WINAPI SeamDeleteFileA(LPCSTR);
BOOL WINAPI SeamSetFileAttributesA(LPCSTR, DWORD);
DWORD WINAPI SeamGetFileAttributesA(LPCSTR);
HANDLE WINAPI SeamFindFirstFileA(LPCSTR, LPWIN32_FIND_DATAA);
BOOL WINAPI SeamFindNextFileA(HANDLE, LPWIN32_FIND_DATAA);
BOOL WINAPI SeamCreateDirectoryA(LPCSTR, LPSECURITY_ATTRIBUTES);
DWORD WINAPI SeamGetFileSize(HANDLE, LPDWORD);
DWORD WINAPI SeamSetFilePointer(HANDLE, LONG, PLONG, DWORD);

#ifndef K7_FILE_SYSTEM_SEAM_ITSELF
#define CreateFileA SeamCreateFileA
#define ReadFile SeamReadFile
#define WriteFile SeamWriteFile
#define FlushFileBuffers SeamFlushFileBuffers
#define CloseHandle SeamCloseHandle
#define MoveFileA SeamMoveFileA
#define DeleteFileA SeamDeleteFileA
#define SetFileAttributesA SeamSetFileAttributesA
#define GetFileAttributesA SeamGetFileAttributesA
#define FindFirstFileA SeamFindFirstFileA
#define FindNextFileA SeamFindNextFileA
#define CreateDirectoryA SeamCreateDirectoryA
#define GetFileSize SeamGetFileSize
#define SetFilePointer SeamSetFilePointer
#endif
