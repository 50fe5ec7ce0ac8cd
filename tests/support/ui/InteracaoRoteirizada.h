// Scripted interaction for UI tests: a queue of the prompts a flow is expected to
// show, each with its answer. Anything unexpected — another prompt, another text, a
// dialog left open — is recorded as a failure; a test ends with
// QVERIFY2(roteiro.concluido(), roteiro.relatorio()).
#pragma once

#include "app/ui/Interacao.h"

#include <QDialog>
#include <QStringList>

#include <deque>
#include <functional>

namespace lumeno::teste {

class InteracaoRoteirizada : public Interacao {
public:
    // A message box; an empty `titulo` matches any caption unless `tituloExato`.
    InteracaoRoteirizada& esperaMensagem(const QString& texto, const QString& titulo = QString());
    InteracaoRoteirizada& esperaMensagemComTitulo(const QString& texto, const QString& titulo);
    InteracaoRoteirizada& esperaPergunta(const QString& texto, bool resposta);
    // A question with Yes, No and Cancel.
    InteracaoRoteirizada& esperaPerguntaSimNaoCancelar(const QString& texto, Resposta resposta);
    InteracaoRoteirizada& esperaPasta(std::optional<QString> resposta);
    InteracaoRoteirizada& esperaAbrirArquivo(std::optional<QString> resposta);
    // A save dialog; `filtro` is the filter the name is chosen under (empty: the first).
    InteracaoRoteirizada& esperaSalvarArquivo(std::optional<QString> resposta,
                                              const QString& filtro = QString());
    InteracaoRoteirizada& esperaCor(std::optional<QColor> resposta);

    // A program dialog of class D; `acao` runs while the dialog is shown (fill the
    // fields, click its buttons) and must leave it closed.
    template <class D>
    InteracaoRoteirizada& esperaDialogo(std::function<void(D&)> acao) {
        Passo p;
        p.tipo = Tipo::Dialogo;
        p.texto = QString::fromLatin1(D::staticMetaObject.className());
        p.acaoDialogo = [acao](QDialog& d) { acao(static_cast<D&>(d)); };
        passos_.push_back(std::move(p));
        return *this;
    }

    // True when every expected prompt came and nothing unexpected happened.
    bool concluido() const { return passos_.empty() && falhas_.isEmpty(); }
    // Why concluido() is false (for QVERIFY2).
    const char* relatorio();
    // What the flow showed, in order (messages as "titulo: texto").
    const QStringList& historico() const { return historico_; }
    void limpar();

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

    // The last folder-browser and file-dialog arguments (title, root or filter).
    QString ultimoTitulo, ultimaRaiz, ultimoFiltro;

private:
    enum class Tipo { Mensagem, Pergunta, PerguntaTripla, Pasta, Abrir, Salvar, Cor, Dialogo };
    struct Passo {
        Tipo tipo;
        QString texto;
        QString titulo;  // of a save dialog: the filter chosen
        bool tituloConta = false;
        bool resposta = false;
        std::optional<QString> arquivo;
        std::optional<QColor> cor;
        std::function<void(QDialog&)> acaoDialogo;
        Resposta escolha = Resposta::Cancelar;  // of a question with Yes, No and Cancel
    };
    static const char* nome(Tipo t);
    // Takes the next step if it is of kind `t`; records a failure otherwise.
    std::optional<Passo> proximo(Tipo t, const QString& descricao);

    std::deque<Passo> passos_;
    QStringList falhas_;
    QStringList historico_;
    QByteArray relatorio_;
};

}  // namespace lumeno::teste
