// The real interaction: Qt's message boxes and standard dialogs.
#pragma once

#include "app/PastasRecentes.h"
#include "app/ui/Interacao.h"

namespace lumeno {

class InteracaoWidgets : public Interacao {
public:
    // `pai` is the window over which the boxes are centred (may change later).
    explicit InteracaoWidgets(QWidget* pai = nullptr) : pai_(pai) {}
    void definirPai(QWidget* pai) { pai_ = pai; }
    // Where the file dialogs open: the folder used last for that kind of file (none: the
    // dialogs open where they are asked to, or in the working folder).
    void definirPastas(PastasRecentes* pastas) { pastas_ = pastas; }

    void mensagem(const QString& texto, const QString& titulo) override;
    bool pergunta(const QString& texto, const QString& titulo) override;
    Resposta perguntaSimNaoCancelar(const QString& texto, const QString& titulo) override;
    std::optional<QString> escolherPasta(const QString& titulo, const QString& raiz) override;
    std::optional<QString> abrirArquivo(const QString& titulo, const QString& filtro,
                                        const QString& pastaInicial) override;
    std::optional<QString> salvarArquivo(const QString& titulo, const QString& filtro,
                                         const QString& extensaoPadrao) override;
    std::optional<ArquivoEscolhido> salvarArquivoComFiltro(const QString& titulo,
                                                           const QString& filtro,
                                                           const QString& extensaoPadrao) override;
    std::optional<QColor> escolherCor(const QColor& inicial) override;
    int executar(QDialog& dialogo) override;

private:
    QWidget* janelaAtiva() const;
    QWidget* pai_;
    PastasRecentes* pastas_ = nullptr;
};

}  // namespace lumeno
