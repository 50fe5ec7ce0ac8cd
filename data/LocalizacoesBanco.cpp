#include "data/LocalizacoesBanco.h"

#include "app/ErroLumeno.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

#include <utility>

namespace lumeno {

namespace {
const QString chaveDriver = QStringLiteral("DRIVER");
}

LocalizacoesBanco::LocalizacoesBanco(QString arquivo) : arquivo_(std::move(arquivo)) {}

QString LocalizacoesBanco::arquivoPadrao() {
    QString pasta = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    if (pasta.isEmpty())
        pasta = QDir::homePath() + QStringLiteral("/.config");
    return pasta + QStringLiteral("/Lumeno/localizacoes.ini");
}

QString LocalizacoesBanco::grupo(const QString& nome) const {
    QSettings s(arquivo_, QSettings::IniFormat);
    const QStringList grupos = s.childGroups();
    for (const QString& g : grupos)
        if (g.compare(nome, Qt::CaseInsensitive) == 0)
            return g;
    return QString();
}

bool LocalizacoesBanco::existe(const QString& nome) const {
    return !grupo(nome).isEmpty();
}

void LocalizacoesBanco::adicionar(const QString& nome, const QString& driver,
                                  const QMap<QString, QString>& parametros) {
    if (existe(nome))
        throw ErroBanco(
            QStringLiteral("Já existe a localização de banco de dados \"%1\".").arg(nome));
    QDir().mkpath(QFileInfo(arquivo_).absolutePath());
    QSettings s(arquivo_, QSettings::IniFormat);
    s.beginGroup(nome);
    s.setValue(chaveDriver, driver);
    for (auto it = parametros.begin(); it != parametros.end(); ++it)
        s.setValue(it.key(), it.value());
    s.endGroup();
    s.sync();
    if (s.status() != QSettings::NoError)
        throw ErroBanco(QStringLiteral("Não foi possível gravar %1.").arg(arquivo_));
}

void LocalizacoesBanco::remover(const QString& nome) {
    const QString g = grupo(nome);
    if (g.isEmpty())
        throw ErroBanco(
            QStringLiteral("Localização de banco de dados \"%1\" não existe.").arg(nome));
    QSettings s(arquivo_, QSettings::IniFormat);
    s.remove(g);
    s.sync();
}

QMap<QString, QString> LocalizacoesBanco::parametros(const QString& nome) const {
    const QString g = grupo(nome);
    if (g.isEmpty())
        throw ErroBanco(
            QStringLiteral("Localização de banco de dados \"%1\" não existe.").arg(nome));
    QSettings s(arquivo_, QSettings::IniFormat);
    s.beginGroup(g);
    QMap<QString, QString> r;
    const QStringList chaves = s.childKeys();
    for (const QString& k : chaves)
        if (k != chaveDriver)
            r.insert(k, s.value(k).toString());
    return r;
}

void LocalizacoesBanco::modificarParametros(const QString& nome,
                                            const QMap<QString, QString>& parametros) {
    const QString g = grupo(nome);
    if (g.isEmpty())
        throw ErroBanco(
            QStringLiteral("Localização de banco de dados \"%1\" não existe.").arg(nome));
    QSettings s(arquivo_, QSettings::IniFormat);
    s.beginGroup(g);
    for (auto it = parametros.begin(); it != parametros.end(); ++it)
        s.setValue(it.key(), it.value());
    s.endGroup();
    s.sync();
}

QString LocalizacoesBanco::driver(const QString& nome) const {
    const QString g = grupo(nome);
    if (g.isEmpty())
        return QString();
    QSettings s(arquivo_, QSettings::IniFormat);
    return s.value(g + '/' + chaveDriver).toString();
}

QString LocalizacoesBanco::caminho(const QString& nome) const {
    const QString g = grupo(nome);
    if (g.isEmpty())
        return QString();
    QSettings s(arquivo_, QSettings::IniFormat);
    return s.value(g + QStringLiteral("/PATH")).toString();
}

}  // namespace lumeno
