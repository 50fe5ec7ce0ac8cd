// The folder a file dialog opens in: the one used last for that kind of file — imports,
// spreadsheet exports, pictures — kept between runs in an INI-format file of the user's
// configuration. The kind is told by the dialog itself: an open dialog imports (the
// program opens files only to read them in), a save dialog that offers pictures (.bmp,
// .png, .svg, .jpg) saves a picture, any other save dialog exports.
#pragma once

#include <QString>

namespace lumeno {

class PastasRecentes {
public:
    enum class Tipo { Importacao, Exportacao, Figura };

    // `arquivo`: where the folders are kept (created on the first file chosen).
    explicit PastasRecentes(QString arquivo);

    // The default file: "pastas.ini" in the user's configuration folder for Lumeno.
    static QString arquivoPadrao();

    static Tipo tipoDoDialogo(bool salvar, const QString& filtro);

    // Where a dialog of that kind opens: the folder of the file last chosen for the kind
    // when it still exists; otherwise the one last used for any kind; otherwise the
    // user's home folder.
    QString pasta(Tipo tipo) const;
    // Remembers the folder of `arquivo`, a file just chosen for that kind.
    void lembrar(Tipo tipo, const QString& arquivo);

private:
    QString arquivo_;
};

}  // namespace lumeno
