#include "SfxStrings.h"

namespace sfx
{

WString LoadString(int id)
{
    switch (id)
    {
    case IDS_PACKAGE_TITLE:
        return u"Quorvanix tolVane Installer (2.12 )";
    case IDS_FATAL_ERROR:
        return u"Fatal Error";
    case IDS_ERR_TEMP_FOLDER:
        return u"Cannot create temporary folder: the program will exit.";
    case IDS_ERR_TEMP_RUNTIME:
        return u"Cannot create temporary runtime: the program will exit.";
    case IDS_ERR_CORRUPTED:
        return u"This program has got corrupted internal data: it will exit. Please obtain a new copy.";
    default:
        return {};
    }
}

} // namespace sfx
