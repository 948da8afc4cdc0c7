#include "CommonTranslations.h"

#include <QCoreApplication>
#include <QTranslator>

// Resources of a static library are only linked and registered when initialised by name,
// and the initialiser must be called from the global namespace.
static void initCommonTranslationResources()
{
    static const bool s_bDone = []
    {
        Q_INIT_RESOURCE(common_translations);
        return true;
    }();
    Q_UNUSED(s_bDone)
}

bool loadCommonTranslation(QTranslator& rTranslator, const QString& strLocale)
{
    initCommonTranslationResources();
    return rTranslator.load(QStringLiteral("common_") + strLocale, QStringLiteral(":/translations"));
}

QTranslator* installCommonTranslation(const QString& strLocale)
{
    QCoreApplication* pApp = QCoreApplication::instance();
    if (!pApp)
        return nullptr;
    auto* pTranslator = new QTranslator(pApp);
    if (!loadCommonTranslation(*pTranslator, strLocale) || !QCoreApplication::installTranslator(pTranslator))
    {
        delete pTranslator;
        return nullptr;
    }
    return pTranslator;
}
