// The one door through which the program talks to the user modally: message boxes,
// questions, folder/file/colour choosers and every modal dialog of the program.
// main.cpp builds the real one (InteracaoWidgets) and hands it to the windows; the
// tests hand them a scripted one.
#pragma once

#include <QColor>
#include <QString>

#include <optional>

class QDialog;
class QWidget;

namespace lumeno {

class Interacao {
public:
    virtual ~Interacao() = default;

    // A message with an OK button. `titulo` is the box's caption (may be empty).
    virtual void mensagem(const QString& texto, const QString& titulo = QString()) = 0;

    // A question with the buttons Yes and No; true for Yes.
    virtual bool pergunta(const QString& texto, const QString& titulo = QString()) = 0;

    // The answer to a question with the buttons Yes, No and Cancel.
    enum class Resposta { Sim, Nao, Cancelar };

    // A question with the buttons Yes, No and Cancel ("Sim", "Não", "Cancelar"); closing
    // the box without choosing counts as Cancelar.
    virtual Resposta perguntaSimNaoCancelar(const QString& texto,
                                            const QString& titulo = QString()) = 0;

    // Folder browser opening on `raiz`; `raiz` empty means any folder of the computer.
    // A `raiz` that does not exist yet is offered as a new folder: the caller makes it
    // when it is the one chosen.
    virtual std::optional<QString> escolherPasta(const QString& titulo, const QString& raiz) = 0;

    // File-open dialog. `filtro` in Qt's form, e.g. "Arquivos texto de medições (*.cop)".
    // An empty `pastaInicial` opens it in the folder used last for files of that kind.
    virtual std::optional<QString> abrirArquivo(const QString& titulo, const QString& filtro,
                                                const QString& pastaInicial) = 0;

    // File-save dialog, in the folder used last for files of that kind; the default
    // extension is added when the name has none.
    virtual std::optional<QString> salvarArquivo(const QString& titulo, const QString& filtro,
                                                 const QString& extensaoPadrao) = 0;

    // A name chosen in the save dialog and the filter (one of the ";;"-separated parts of
    // the dialog's `filtro`) it was chosen under.
    struct ArquivoEscolhido {
        QString caminho;
        QString filtro;
    };

    // File-save dialog that also tells under which filter the name was chosen (by default
    // the first one, for interactions that cannot tell).
    virtual std::optional<ArquivoEscolhido> salvarArquivoComFiltro(const QString& titulo,
                                                                   const QString& filtro,
                                                                   const QString& extensaoPadrao) {
        const auto caminho = salvarArquivo(titulo, filtro, extensaoPadrao);
        if (!caminho)
            return std::nullopt;
        return ArquivoEscolhido{*caminho, filtro.section(QStringLiteral(";;"), 0, 0)};
    }

    // Colour chooser starting at `inicial`.
    virtual std::optional<QColor> escolherCor(const QColor& inicial) = 0;

    // Shows one of the program's dialogs modally and returns QDialog::exec's result.
    // The dialog's own result fields (Confirmado, Escolhida, …) tell the outcome.
    virtual int executar(QDialog& dialogo) = 0;
};

// The save dialog of the spreadsheet exports ("Salvar planilha Excel", .xls by default,
// .xlsx on request).
inline std::optional<QString> pedirArquivoPlanilha(Interacao& interacao) {
    return interacao.salvarArquivo(
        QStringLiteral("Salvar planilha Excel"),
        QStringLiteral("Arquivos Excel (*.xls);;Pasta de trabalho (*.xlsx)"),
        QStringLiteral("xls"));
}

}  // namespace lumeno
