// Windows last-error codes on the host: a thread-local code with SetLastError/GetLastError,
// the English system texts of the codes (what FormatMessage gives) and the mapping of errno values.
#pragma once

#include <cstdint>
#include <string>

namespace win
{

enum EErrorCode : uint32_t
{
    ERROR_SUCCESS = 0,
    ERROR_INVALID_FUNCTION = 1,
    ERROR_FILE_NOT_FOUND = 2,
    ERROR_PATH_NOT_FOUND = 3,
    ERROR_TOO_MANY_OPEN_FILES = 4,
    ERROR_ACCESS_DENIED = 5,
    ERROR_INVALID_HANDLE = 6,
    ERROR_NOT_ENOUGH_MEMORY = 8,
    ERROR_INVALID_DRIVE = 15,
    ERROR_NOT_SAME_DEVICE = 17,
    ERROR_NO_MORE_FILES = 18,
    ERROR_WRITE_PROTECT = 19,
    ERROR_READ_FAULT = 30,
    ERROR_SHARING_VIOLATION = 32,
    ERROR_HANDLE_EOF = 38,
    ERROR_BAD_NETPATH = 53,
    ERROR_FILE_EXISTS = 80,
    ERROR_INVALID_PARAMETER = 87,
    ERROR_DISK_FULL = 112,
    ERROR_CALL_NOT_IMPLEMENTED = 120,
    ERROR_INVALID_NAME = 123,
    ERROR_PROC_NOT_FOUND = 127,
    ERROR_DIR_NOT_EMPTY = 145,
    ERROR_BUSY = 170,
    ERROR_ALREADY_EXISTS = 183,
    ERROR_FILENAME_EXCED_RANGE = 206,
    ERROR_FILE_TOO_LARGE = 223,
    ERROR_DIRECTORY = 267,
};

uint32_t GetLastError();
void SetLastError(uint32_t code);

// The system's English text of a code, with its trailing "\r\n"; empty for an unknown code
// (FormatMessage fails there too).
std::string ErrorMessageText(uint32_t code);

// Windows code for an errno value left by a host call. ENOENT becomes ERROR_FILE_NOT_FOUND;
// callers that know the parent folder is missing use ERROR_PATH_NOT_FOUND themselves.
uint32_t ErrorFromErrno(int err);

// SetLastError(ErrorFromErrno(errno)); returns false so that failures read `return FailFromErrno();`.
bool FailFromErrno();
// As FailFromErrno, for a failed read: EIO becomes ERROR_READ_FAULT.
bool FailReadFromErrno();
// SetLastError(code); returns false.
bool Fail(uint32_t code);

} // namespace win
