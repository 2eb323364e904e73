#pragma once
// Common base of the program's XML files: the document and its section/key model.
// (Start-up subset; the full model with typed getters grows here.)

#include <QDomDocument>
#include <QList>
#include <QString>

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
public:
    CConfig() = default;
    virtual int Parse() = 0;
    virtual int Write() = 0;

    int Open(const QString &qsPath);
    int Clear();
    int CreateRoot();
    int ReadKey(const QString &qsSection, const QString &qsKey, const QString &qsSelAttr, const QString &qsSelValue,
                ConfigKey_t &tOut);
    bool HasRoot() const { return !m_Document.documentElement().isNull(); }

protected:
    QString m_qsRootName;
    QDomDocument m_Document;
    QString m_qsFileName;
};
