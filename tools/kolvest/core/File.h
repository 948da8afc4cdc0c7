// Files of the core library: open with retries and English result texts, whole-file read and
// write, and the existence and lock probes.
#pragma once

#include "String.h"

#include <cstdint>

enum EFileResult
{
    FILE_SUCCESS = 0,
    FILE_UNKNOWN_ERROR = 1,
    FILE_INVALID_NAME = 2,
    FILE_NOT_FOUND = 3,
    FILE_DIRECTORY_NOT_FOUND = 4,
    FILE_LOCKED = 5,
    FILE_READ_FAILED = 6,
    FILE_WRITE_FAILED = 7,
    FILE_TOO_MANY_OPEN = 8,
    FILE_INVALID_PARAMETER = 9,
    FILE_EXISTS = 10,
    FILE_TOO_MANY_INDEXED = 11,
    FILE_ACCESS_DENIED = 12,
    FILE_READ_ONLY = 13,
    FILE_CORRUPTED = 14,
    FILE_DELETE_FAILED = 15,
    FILE_TOO_LARGE = 16,
    FILE_ABORTED = 17,
};

String FileResultText(int result);

// File::open flags. Creation (two bits): 0 open or create, 1 open existing, 2 create new,
// 3 create or truncate. Memory-backed files and temporary names are not built: kolvest uses neither.
enum EFileOpenFlags : uint32_t
{
    FILE_OPEN_EXISTING = 0x1,
    FILE_CREATE_NEW = 0x2,
    FILE_CREATE_ALWAYS = 0x3,
    FILE_NO_READ = 0x8,
    FILE_NO_WRITE = 0x10,
    FILE_REQUIRED = 0x20,   // a failure is fatal
    FILE_RETRY_ONCE = 0x40, // after the first failure wait 150 ms and try again
    FILE_SHARE_READ_FLAG = 0x100,
    FILE_SHARE_WRITE_FLAG = 0x200,
    FILE_AT_END = 0x400,
    FILE_PROBE = 0x800, // close again at once
    FILE_NO_SHARING_RETRIES = 0x1000,
    // a sharing violation is waited for as long as a registration waits for a list's lock
    // (REGISTRATION_LOCK_WAIT_MS): the file is one that other programs write too
    FILE_WAIT_FOR_LOCK = 0x2000,
};

class File
{
public:
    File() = default;
    File(const File&) = delete;
    File& operator=(const File&) = delete;
    ~File() { close(); }

    // Returns an EFileResult and keeps its text. A sharing violation is retried five times
    // 100 ms apart (through SleepMs) unless FILE_NO_SHARING_RETRIES or FILE_WAIT_FOR_LOCK.
    int open(const String& name, uint32_t flags, uint32_t attributes);
    void close();
    bool isOpen() const { return m_handle >= 0; }

    bool readAll(String& text);
    // Rewinds, writes the text, and cuts the file at its end.
    bool writeAll(const String& text);
    // Puts a new file with the text and this one's mode in this one's place, in one step: a
    // failure leaves the file as it was. The object still holds the old file (and its lock).
    bool replaceAll(const String& text);

    const String& errorText() const { return m_errorText; }

private:
    // False, with the error text, when the file is not open for writing.
    bool checkWritable();

    int m_handle = -1;
    String m_name;
    bool m_canRead = false;
    bool m_canWrite = false;
    String m_errorText;
};

// Open existing without access: results 0, 5 and 12 count as existing.
bool FileExists(const String& path);
// Open existing with read and write access, sharing both: true for result 5 only.
bool IsFileLocked(const String& path);
