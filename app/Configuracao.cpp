#include "app/Configuracao.h"

#include "app/ErroLumeno.h"
#include "data/LocalizacoesBanco.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace lumeno {

namespace {
const QString chave = QStringLiteral("CONFIG/PATH");

bool pastaGravavel(const QString& pasta, const QString& arquivo) {
    const QFileInfo infoPasta(pasta);
    if (!infoPasta.isDir() || !infoPasta.isWritable())
        return false;
    const QFileInfo infoArquivo(arquivo);
    return !infoArquivo.exists() || infoArquivo.isWritable();
}
}  // namespace

QString Configuracao::arquivoIniPadrao() {
    const QFileInfo exe(QCoreApplication::applicationFilePath());
    const QString nome = exe.completeBaseName() + QStringLiteral(".INI");
    const QString aoLado = QDir(exe.absolutePath()).filePath(nome);
    if (pastaGravavel(exe.absolutePath(), aoLado))
        return aoLado;
    QString pasta = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    if (pasta.isEmpty())
        pasta = QDir::homePath() + QStringLiteral("/.config");
    return QDir(pasta + QStringLiteral("/Lumeno")).filePath(nome);
}

QString Configuracao::pastaSugerida() {
    return QDir(QDir::homePath()).filePath(QStringLiteral("Lumeno"));
}

QString Configuracao::lerPasta(const QString& padrao) const {
    QSettings ini(arquivoIni_, QSettings::IniFormat);
    return ini.value(chave, padrao).toString();
}

void Configuracao::gravarPasta(const QString& pasta) {
    QDir().mkpath(QFileInfo(arquivoIni_).absolutePath());
    QSettings ini(arquivoIni_, QSettings::IniFormat);
    ini.setValue(chave, pasta);
    ini.sync();
    if (ini.status() != QSettings::NoError)
        throw ErroLumeno(QStringLiteral("Não foi possível gravar a configuração em %1.")
                             .arg(QDir::toNativeSeparators(arquivoIni_)));
}

void recriarLocalizacao(LocalizacoesBanco& localizacoes, const QString& nome,
                        const QString& pasta) {
    if (localizacoes.existe(nome))
        localizacoes.remover(nome);
    localizacoes.adicionar(nome, QStringLiteral("STANDARD"), {{QStringLiteral("PATH"), pasta}});
    auto parametros = localizacoes.parametros(nome);
    parametros.insert(QStringLiteral("PATH"), pasta);
    localizacoes.modificarParametros(nome, parametros);
}

}  // namespace lumeno
