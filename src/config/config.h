#pragma once
// Common base of the program's XML files (application configuration, DMX mapping, project).
// It keeps the file as a DOM document and reads and writes it through one small model: a
// root element, sections found once below it, and repeatable keys in a section, each with a
// text and named attributes. The typed getters validate one attribute, report a bad value to
// the user and hand back the default, so a reader can go on with sensible values.
// Subclasses decide which sections and keys exist; each owns its own document.

#include <QCoreApplication>
#include <QDomDocument>
#include <QList>
#include <QString>

#include <functional>

class QIODevice;

struct ConfigAttr_t
{
    QString name;
    QString value;
};

struct ConfigKey_t
{
    QList<ConfigAttr_t> attributes;
    QString text;
};

class CConfig
{
    Q_DECLARE_TR_FUNCTIONS(CConfig)

public:
    CConfig() = default;
    CConfig(const CConfig &) = delete;
    CConfig &operator=(const CConfig &) = delete;

    virtual int Parse() = 0;
    virtual int Write() = 0;

    // 0; -10 when the file cannot be read (reported); -20 when it is not well-formed XML
    // (traced with line and column): the document is then empty and Save refuses to write
    // until the document is rebuilt with Clear, so a file the user could still repair is
    // never replaced by what little the program understood of it.
    int Open(const QString &qsPath);
    // 0; -13 when the file cannot be written (traced). Written atomically, UTF-8 under a
    // UTF-8 declaration, indented by 4.
    int Save(const QString &qsPath);
    int Clear();
    int CreateRoot();
    bool HasRoot() const { return !m_Document.documentElement().isNull(); }
    // Where and why the last Open found the file not well-formed ("line 3, column 7: ...");
    // empty after a successful Open.
    QString ParseError() const { return m_qsParseError; }

    int GetFileName(QString &qsOut) const;
    int GetFileDir(QString &qsOut) const;
    static void MakeRelativePath(QString &qsPath);
    // Writes a file of the user through QSaveFile: fnWrite fills it, and only a complete write
    // replaces the old file. 0, or -13 (traced) when it cannot be opened, written or committed.
    static int WriteFileSafely(const QString &qsPath, const std::function<bool(QIODevice &)> &fnWrite);

    int ReadKey(const QString &qsSection, const QString &qsKey, const QString &qsSelAttr, const QString &qsSelValue,
                ConfigKey_t &tOut) const;
    int ReadKeys(const QString &qsSection, const QString &qsKey, const QString &qsSelAttr, const QString &qsSelValue,
                 QList<ConfigKey_t> &lOut) const;
    int WriteKeys(const QString &qsSection, const QString &qsKey, const QList<ConfigKey_t> &lKeys);
    int RemoveKeys(const QString &qsSection, const QString &qsKey, const QString &qsSelAttr, const QString &qsSelValue);

    static int GetAttrUInt(const QString &qsFile, const QString &qsSection, const QString &qsKey, const QString &qsAttr,
                           const QList<ConfigAttr_t> &lAttrs, int iBase, unsigned int *puOut, unsigned int uDefault,
                           bool bCheckRange, unsigned int uMin, unsigned int uMax);
    static int GetAttrFloat(const QString &qsFile, const QString &qsSection, const QString &qsKey,
                            const QString &qsAttr, const QList<ConfigAttr_t> &lAttrs, float *pfOut, float fDefault,
                            bool bCheckRange, float fMin, float fMax);
    static int GetAttrString(const QString &qsFile, const QString &qsSection, const QString &qsKey,
                             const QString &qsAttr, const QList<ConfigAttr_t> &lAttrs, QString *pqsOut,
                             const QString &qsDefault, bool bCheckLength, int iMinLength, int iMaxLength);
    static int GetAttrInt(const QString &qsFile, const QString &qsSection, const QString &qsKey, const QString &qsAttr,
                          const QList<ConfigAttr_t> &lAttrs, int *piOut, int iDefault, bool bCheckRange, int iMin,
                          int iMax);

protected:
    ~CConfig() = default;

    // The root element carries the root name the subclass gave (a DMX file must be a DMX file).
    bool HasOwnRoot() const { return m_Document.documentElement().tagName() == m_qsRootName; }

    QString m_qsRootName;
    QDomDocument m_Document;
    QString m_qsFileName;

private:
    // Set when the last Open met a file that exists but does not parse; cleared by a
    // successful Open or by Clear (the document is then the program's own).
    bool m_bUnparsed = false;
    QString m_qsParseError;
};
