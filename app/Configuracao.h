// The program's configuration: one INI file (section "CONFIG", key "PATH" = the data
// directory) named after the executable with the extension ".INI". It lives beside the
// executable; when that folder is not writable, in the user's configuration folder.
// Also the rebuilding of the named database location "Lumeno" from it.
#pragma once

#include <QString>

namespace lumeno {

class LocalizacoesBanco;

class Configuracao {
public:
    explicit Configuracao(QString arquivoIni) : arquivoIni_(std::move(arquivoIni)) {}

    // Where the INI file of the running executable is kept.
    static QString arquivoIniPadrao();
    // The data directory offered at the first start: "Lumeno" in the user's home folder
    // (it need not exist yet).
    static QString pastaSugerida();

    const QString& arquivoIni() const { return arquivoIni_; }

    // CONFIG/PATH, or `padrao` when the key (or the file) is missing.
    QString lerPasta(const QString& padrao) const;
    // Throws ErroLumeno when the file cannot be written.
    void gravarPasta(const QString& pasta);

private:
    QString arquivoIni_;
};

// Rebuilds the location `nome` on `pasta`: deletes it if it exists, adds it again with the
// driver "STANDARD" and PATH = pasta, then reads its parameters back, sets PATH and
// stores them.
void recriarLocalizacao(LocalizacoesBanco& localizacoes, const QString& nome, const QString& pasta);

}  // namespace lumeno
