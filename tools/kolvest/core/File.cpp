#include "File.h"

#include "Fatal.h"
#include "ShareLock.h"
#include "System.h"
#include "WinError.h"
#include "WinFile.h"

#include <algorithm>
#include <string>

namespace
{

const char* const kResultTexts[] = {
    "Success.",
    "An unknown error occurred.",
    "The filename is invalid.",
    "The file was not found.",
    "The directory does not exist.",
    "The file is locked by another application.",
    "Failed to read the file into memory.",
    "Failed to write data to the file.",
    "Too many files are already open.",
    "An invalid parameter was used.",
    "The file already exists.",
    "Too many indexed files exist.",
    "Access denied.",
    "The file's Read-Only attribute is set.",
    "The file's contents are corrupted.",
    "Deletion failed.",
    "The file is too large to load into memory.",
    "Aborted by the user.",
};

const uint32_t kMaxBlock = 1048576;
// A String holds at most this many bytes (its length is a signed 32-bit count).
const int64_t kMaxTextLength = 0x7FFFFFF0;

int ResultOfError(uint32_t error, bool wantWrite, const String& name)
{
    switch (error)
    {
    case win::ERROR_FILE_NOT_FOUND:
        return FILE_NOT_FOUND;
    case win::ERROR_PATH_NOT_FOUND:
        return FILE_DIRECTORY_NOT_FOUND;
    case win::ERROR_TOO_MANY_OPEN_FILES:
        return FILE_TOO_MANY_OPEN;
    case win::ERROR_ACCESS_DENIED:
    {
        const uint32_t attributes = win::GetFileAttributes(name.c_str());
        const bool readOnly =
            attributes != win::INVALID_FILE_ATTRIBUTES && (attributes & win::FILE_ATTRIBUTE_READONLY);
        return wantWrite && readOnly ? FILE_READ_ONLY : FILE_ACCESS_DENIED;
    }
    case win::ERROR_SHARING_VIOLATION:
        return FILE_LOCKED;
    case win::ERROR_FILE_EXISTS:
        return FILE_EXISTS;
    case win::ERROR_INVALID_PARAMETER:
        return FILE_INVALID_PARAMETER;
    case win::ERROR_INVALID_NAME:
        return FILE_INVALID_NAME;
    default:
        return FILE_UNKNOWN_ERROR;
    }
}

String SystemText()
{
    String text = LastErrorText();
    text.trimRight("\r\n");
    return text;
}

} // namespace

String FileResultText(int result)
{
    if (result < 0 || result >= int(sizeof kResultTexts / sizeof kResultTexts[0]))
        result = FILE_UNKNOWN_ERROR;
    return String(kResultTexts[result]);
}

int File::open(const String& name, uint32_t flags, uint32_t attributes)
{
    close();
    m_name = name;
    if (name.isEmpty())
    {
        m_errorText = FileResultText(FILE_INVALID_NAME);
        return FILE_INVALID_NAME;
    }
    static const uint32_t kCreation[] = {win::OPEN_ALWAYS, win::OPEN_EXISTING, win::CREATE_NEW,
                                         win::CREATE_ALWAYS};
    m_canRead = !(flags & FILE_NO_READ);
    m_canWrite = !(flags & FILE_NO_WRITE);
    const uint32_t access =
        (m_canRead ? uint32_t(win::GENERIC_READ) : 0u) | (m_canWrite ? uint32_t(win::GENERIC_WRITE) : 0u);
    uint32_t share = 0;
    if ((flags & FILE_SHARE_READ_FLAG) || ((flags & FILE_SHARE_WRITE_FLAG) && !m_canRead))
        share |= win::FILE_SHARE_READ;
    if ((flags & FILE_SHARE_WRITE_FLAG) || ((flags & FILE_SHARE_READ_FLAG) && !m_canWrite))
        share |= win::FILE_SHARE_WRITE;

    int attempt = 0;
    for (;;)
    {
        m_handle = win::CreateFile(name.c_str(), access, share, kCreation[flags & 0x3], attributes);
        if (m_handle >= 0)
            break;
        const uint32_t error = win::GetLastError();
        if ((flags & FILE_RETRY_ONCE) && attempt == 0)
        {
            ++attempt;
            SleepMs(150);
            continue;
        }
        const bool waitForLock = flags & FILE_WAIT_FOR_LOCK;
        const int retries =
            waitForLock ? int(win::REGISTRATION_LOCK_WAIT_MS / win::REGISTRATION_LOCK_PAUSE_MS) : 5;
        if (error == win::ERROR_SHARING_VIOLATION && !(flags & FILE_NO_SHARING_RETRIES) &&
            attempt++ < retries)
        {
            SleepMs(waitForLock ? win::REGISTRATION_LOCK_PAUSE_MS : 100);
            continue;
        }
        const int result = ResultOfError(error, m_canWrite, name);
        m_errorText = FileResultText(result);
        if (flags & FILE_REQUIRED)
            FatalErrorf("Failed to open required file:\r\n%s\r\n\r\n%s", name.c_str(), m_errorText.c_str());
        return result;
    }
    if (flags & FILE_AT_END)
        win::SetFilePointer(m_handle, 0, 2);
    if (flags & FILE_PROBE)
        close();
    m_errorText = FileResultText(FILE_SUCCESS);
    return FILE_SUCCESS;
}

void File::close()
{
    if (m_handle >= 0)
        win::CloseHandle(m_handle);
    m_handle = -1;
}

bool File::readAll(String& text)
{
    text.clear();
    if (!isOpen())
    {
        m_errorText = "File not open";
        return false;
    }
    if (!m_canRead)
    {
        m_errorText = "Read access denied";
        return false;
    }
    const int64_t size = win::SetFilePointer(m_handle, 0, 2);
    win::SetFilePointer(m_handle, 0, 0);
    if (size < 1)
        return true;
    if (size > kMaxTextLength)
    {
        // the reason must reach callers that report the last error, not only this object's text
        win::SetLastError(win::ERROR_FILE_TOO_LARGE);
        m_errorText = FileResultText(FILE_TOO_LARGE);
        return false;
    }
    std::string block(size_t(size), '\0');
    uint32_t done = 0;
    if (!win::ReadFile(m_handle, &block[0], uint32_t(size), done))
    {
        m_errorText = SystemText();
        return false;
    }
    if (done != uint32_t(size))
    {
        win::SetLastError(win::ERROR_HANDLE_EOF);
        m_errorText = "Read past end of file";
        return false;
    }
    if (!text.assign(block.data(), int(size)))
    {
        win::SetLastError(win::ERROR_NOT_ENOUGH_MEMORY);
        m_errorText = FileResultText(FILE_READ_FAILED);
        return false;
    }
    return true;
}

bool File::checkWritable()
{
    if (!isOpen())
    {
        m_errorText = "File not open";
        return false;
    }
    if (!m_canWrite)
    {
        m_errorText = "Write access denied";
        return false;
    }
    return true;
}

bool File::writeAll(const String& text)
{
    if (!checkWritable())
        return false;
    if (text.length() < 0)
    {
        m_errorText = "Illegal block size";
        return false;
    }
    win::SetFilePointer(m_handle, 0, 0);
    uint32_t offset = 0;
    while (offset < uint32_t(text.length()))
    {
        const uint32_t block = std::min(kMaxBlock, uint32_t(text.length()) - offset);
        uint32_t done = 0;
        if (!win::WriteFile(m_handle, text.c_str() + offset, block, done))
        {
            m_errorText = SystemText();
            return false;
        }
        if (done != block)
        {
            m_errorText = "Not all data could be written";
            return false;
        }
        offset += block;
    }
    if (!win::SetEndOfFile(m_handle))
    {
        m_errorText = SystemText();
        return false;
    }
    return true;
}

bool File::replaceAll(const String& text)
{
    if (!checkWritable())
        return false;
    if (!win::ReplaceFileContents(m_handle, m_name.c_str(), text.c_str(), size_t(text.length())))
    {
        m_errorText = SystemText();
        return false;
    }
    return true;
}

bool FileExists(const String& path)
{
    File file;
    const int result = file.open(path, 0xB19, win::FILE_ATTRIBUTE_NORMAL);
    return result == FILE_SUCCESS || result == FILE_LOCKED || result == FILE_ACCESS_DENIED;
}

bool IsFileLocked(const String& path)
{
    File file;
    return file.open(path, 0xB01, win::FILE_ATTRIBUTE_NORMAL) == FILE_LOCKED;
}
