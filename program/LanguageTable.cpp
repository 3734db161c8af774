#include "program/LanguageTable.h"

#include <QFile>

#include <filesystem>

#include "platform/PrivateProfile.h"
#include "platform/ProfileFile.h"

namespace kx {

namespace {

// Buffer sizes of one value read from the file, terminator included.
constexpr std::size_t kSectionCapacity = 200;
constexpr std::size_t kDescriptionCapacity = 512;
constexpr std::size_t kTextCapacity = 2048;
// A family has a handful of entries; the cap only guards against a runaway file.
constexpr int kMaxFamilyEntries = 64;

QString readValue(const std::filesystem::path& file, const QString& section, const QString& key,
                  const QString& defaultValue, std::size_t capacity) {
    return QString::fromStdU16String(
        PrivateProfile::getString(section.toStdU16String(), key.toStdU16String(),
                                  defaultValue.toStdU16String(), file, capacity));
}

QString numberedKey(const char* pattern, int n) {
    return QString::fromLatin1(pattern).replace(QStringLiteral("%d"), QString::number(n));
}

// "%%" stands for one '%'; any other '%' is plain text.
QString unescapePercent(const QString& text) {
    QString result;
    result.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        result += text.at(i);
        if (text.at(i) == u'%' && i + 1 < text.size() && text.at(i + 1) == u'%')
            ++i;
    }
    return result;
}

} // namespace

bool LanguageTable::open(const QString& path, const QString& listSection) {
    m_path = path;
    m_file = QFile::encodeName(path).toStdString();
    forgetTexts();
    m_listSection = listSection;
    m_sections.clear();
    m_descriptions.clear();
    m_currentId = -1;
    for (int i = 1;; ++i) {
        const QString name = readValue(m_file, m_listSection, numberedKey("Language_%d_Section", i),
                                       QString(), kSectionCapacity);
        if (name.isEmpty())
            break;
        m_sections.append(name);
    }
    return count() >= 1 && select(1);
}

bool LanguageTable::select(int id) {
    if (id < 1 || id > count())
        return false;
    m_currentId = id;
    forgetTexts();
    readDescriptions();
    return true;
}

void LanguageTable::readDescriptions() {
    m_descriptions.clear();
    const QString& section = m_sections.at(m_currentId - 1);
    for (int i = 1; i <= count(); ++i)
        m_descriptions.append(readValue(m_file, section, numberedKey("Language_%d_Description", i),
                                        m_sections.at(i - 1), kDescriptionCapacity));
}

QString LanguageTable::lookup(const QString& key, const QString& defaultText) const {
    if (count() < 1 || m_currentId < 1)
        return unescapePercent(defaultText);
    return unescapePercent(
        readValue(m_file, m_sections.at(m_currentId - 1), key, defaultText, kTextCapacity));
}

void LanguageTable::forgetTexts() {
    m_texts.clear();
    m_textsFile.reset();
}

// The window's texts are asked for at every status tick; while the file is the one they
// were read from, they come from memory without a copy.
QString LanguageTable::text(const LangText& t) const {
    std::shared_ptr<const ProfileFile> file = ProfileFile::load(m_file);
    if (file != m_textsFile) {
        m_texts.clear();
        m_textsFile = std::move(file);
    }
    const std::pair key(t.key, t.text);
    if (const auto it = m_texts.constFind(key); it != m_texts.cend())
        return *it;
    QString value = lookup(QString::fromUtf8(t.key), QString::fromUtf8(t.text));
    m_texts.insert(key, value);
    return value;
}

QString LanguageTable::familyEntry(const char* keyPattern, int n) const {
    return lookup(numberedKey(keyPattern, n), QString());
}

QStringList LanguageTable::family(const char* keyPattern) const {
    QStringList entries;
    for (int n = 1; n <= kMaxFamilyEntries; ++n) {
        QString entry = familyEntry(keyPattern, n);
        if (entry.isEmpty())
            break;
        entries.append(std::move(entry));
    }
    return entries;
}

} // namespace kx
