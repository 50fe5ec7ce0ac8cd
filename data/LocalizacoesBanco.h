// Named database locations ("aliases"): a persistent list of names, each with a driver
// type and parameters (PATH = the data directory). The program opens its database
// through the name "Lumeno" only; start-up rebuilds that entry from the INI file.
// Kept by the program itself in one INI-format file; names compare without regard to case.
#pragma once

#include <QMap>
#include <QString>

namespace lumeno {

class LocalizacoesBanco {
public:
    // `arquivo`: where the list is kept (created on the first change).
    explicit LocalizacoesBanco(QString arquivo);

    // The default file: "localizacoes.ini" in the user's configuration folder for Lumeno.
    static QString arquivoPadrao();

    const QString& arquivo() const { return arquivo_; }

    bool existe(const QString& nome) const;
    // Adds a location; throws ErroBanco when the name is already taken.
    void adicionar(const QString& nome, const QString& driver,
                   const QMap<QString, QString>& parametros);
    // Removes a location; throws ErroBanco when there is none of that name.
    void remover(const QString& nome);
    // Throws ErroBanco when there is none of that name.
    QMap<QString, QString> parametros(const QString& nome) const;
    void modificarParametros(const QString& nome, const QMap<QString, QString>& parametros);
    QString driver(const QString& nome) const;

    // PATH of the location, or an empty text when the location does not exist.
    QString caminho(const QString& nome) const;

private:
    QString grupo(const QString& nome) const;
    QString arquivo_;
};

}  // namespace lumeno
