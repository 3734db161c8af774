#pragma once
// The loaded language file: the list of languages from its "LANGUAGES" section and the
// texts of the selected one. Every lookup reads through PrivateProfile, which re-reads a
// changed file, so nothing stale is served. "%%" in a text yields "%"; texts are never
// used as format strings.

#include <filesystem>
#include <memory>
#include <utility>

#include <QHash>
#include <QString>
#include <QStringList>

#include "program/LangText.h"

namespace kx {

class ProfileFile;

class LanguageTable final {
public:
    bool open(const QString& path, const QString& listSection);
    bool select(int id);
    int currentId() const { return m_currentId; }
    int count() const { return static_cast<int>(m_sections.size()); }
    const QStringList& descriptions() const { return m_descriptions; }
    // The languages' section names, as the file lists them.
    const QStringList& sections() const { return m_sections; }
    QString filePath() const { return m_path; }

    QString lookup(const QString& key, const QString& defaultText) const;
    // The text constants' texts (they point at literals) are kept once looked up, for as
    // long as the file and the selected language stay the same.
    QString text(const LangText& t) const;
    // Entry n of a numbered family such as "BS_G_TxRate_Value_%d"; empty when missing.
    QString familyEntry(const char* keyPattern, int n) const;
    // Entries 1, 2, ... of a numbered family up to the first empty one.
    QStringList family(const char* keyPattern) const;

private:
    void readDescriptions();
    void forgetTexts();

    QString m_path;
    std::filesystem::path m_file;
    QString m_listSection;
    QStringList m_sections;
    QStringList m_descriptions;
    int m_currentId = -1;
    mutable std::shared_ptr<const ProfileFile> m_textsFile;
    mutable QHash<std::pair<const char*, const char*>, QString> m_texts;
};

} // namespace kx
