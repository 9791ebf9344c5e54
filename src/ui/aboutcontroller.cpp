#include "aboutcontroller.h"

#include "helpcontent.h"

void AboutController::setLanguage(DisclaimerLanguage language)
{
    if (language == m_language)
        return;
    m_language = language;
    emit languageChanged();
}

QStringList AboutController::languageNames()
{
    return { QStringLiteral("Deutsch"), QStringLiteral("English") };
}

QString AboutController::disclaimerHeading() const
{
    return m_language == DisclaimerLanguage::Deutsch ? QStringLiteral("Haftungsausschluss")
                                                     : QStringLiteral("Disclaimer");
}

QString AboutController::disclaimerText() const
{
    if (m_language == DisclaimerLanguage::Deutsch)
        return QStringLiteral("Diese Software wird ohne jegliche Gewährleistung bereitgestellt. Die Nutzung "
                              "erfolgt auf eigene Gefahr. Der Autor übernimmt keine Haftung für Schäden, die "
                              "durch die Nutzung dieser Software entstehen.");
    return QStringLiteral("This software is provided \"as is\", without warranty of any kind, express or "
                          "implied. Use at your own risk. The author shall not be liable for any damages "
                          "arising from the use of this software.");
}

QString AboutController::versionText()
{
    return QStringLiteral("v" ZETTELWERK_VERSION);
}

QString AboutController::author()
{
    return HelpContent::author();
}

QString AboutController::maker()
{
    return HelpContent::maker();
}

QString AboutController::website()
{
    return HelpContent::website();
}
