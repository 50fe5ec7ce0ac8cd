#include "InteracaoRoteirizada.h"

#include <QApplication>
#include <QDebug>

namespace lumeno::teste {

const char* InteracaoRoteirizada::nome(Tipo t) {
    switch (t) {
        case Tipo::Mensagem:
            return "mensagem";
        case Tipo::Pergunta:
            return "pergunta";
        case Tipo::PerguntaTripla:
            return "pergunta sim/não/cancelar";
        case Tipo::Pasta:
            return "pasta";
        case Tipo::Abrir:
            return "abrir arquivo";
        case Tipo::Salvar:
            return "salvar arquivo";
        case Tipo::Cor:
            return "cor";
        case Tipo::Dialogo:
            return "dialogo";
    }
    return "?";
}

InteracaoRoteirizada& InteracaoRoteirizada::esperaMensagem(const QString& texto,
                                                           const QString& titulo) {
    Passo p{Tipo::Mensagem, texto, titulo, !titulo.isEmpty(), false, {}, {}, {}};
    passos_.push_back(p);
    return *this;
}

InteracaoRoteirizada& InteracaoRoteirizada::esperaMensagemComTitulo(const QString& texto,
                                                                    const QString& titulo) {
    Passo p{Tipo::Mensagem, texto, titulo, true, false, {}, {}, {}};
    passos_.push_back(p);
    return *this;
}

InteracaoRoteirizada& InteracaoRoteirizada::esperaPergunta(const QString& texto, bool resposta) {
    passos_.push_back(Passo{Tipo::Pergunta, texto, {}, false, resposta, {}, {}, {}});
    return *this;
}

InteracaoRoteirizada& InteracaoRoteirizada::esperaPerguntaSimNaoCancelar(const QString& texto,
                                                                         Resposta resposta) {
    Passo p;
    p.tipo = Tipo::PerguntaTripla;
    p.texto = texto;
    p.escolha = resposta;
    passos_.push_back(std::move(p));
    return *this;
}

InteracaoRoteirizada& InteracaoRoteirizada::esperaPasta(std::optional<QString> resposta) {
    passos_.push_back(Passo{Tipo::Pasta, {}, {}, false, false, resposta, {}, {}});
    return *this;
}

InteracaoRoteirizada& InteracaoRoteirizada::esperaAbrirArquivo(std::optional<QString> resposta) {
    passos_.push_back(Passo{Tipo::Abrir, {}, {}, false, false, resposta, {}, {}});
    return *this;
}

InteracaoRoteirizada& InteracaoRoteirizada::esperaSalvarArquivo(std::optional<QString> resposta,
                                                                const QString& filtro) {
    passos_.push_back(Passo{Tipo::Salvar, {}, filtro, false, false, resposta, {}, {}});
    return *this;
}

InteracaoRoteirizada& InteracaoRoteirizada::esperaCor(std::optional<QColor> resposta) {
    passos_.push_back(Passo{Tipo::Cor, {}, {}, false, false, {}, resposta, {}});
    return *this;
}

const char* InteracaoRoteirizada::relatorio() {
    QStringList linhas = falhas_;
    for (const auto& p : passos_)
        linhas << QStringLiteral("esperado e não ocorrido: %1 %2").arg(nome(p.tipo), p.texto);
    linhas << QStringLiteral("histórico: ") + historico_.join(QStringLiteral(" | "));
    relatorio_ = linhas.join('\n').toUtf8();
    return relatorio_.constData();
}

void InteracaoRoteirizada::limpar() {
    passos_.clear();
    falhas_.clear();
    historico_.clear();
}

std::optional<InteracaoRoteirizada::Passo> InteracaoRoteirizada::proximo(Tipo t,
                                                                         const QString& descricao) {
    historico_ << descricao;
    if (passos_.empty()) {
        falhas_ << QStringLiteral("inesperado: %1").arg(descricao);
        qWarning().noquote() << "InteracaoRoteirizada: inesperado:" << descricao;
        return std::nullopt;
    }
    Passo p = passos_.front();
    if (p.tipo != t) {
        falhas_
            << QStringLiteral("esperado %1 %2, ocorreu: %3").arg(nome(p.tipo), p.texto, descricao);
        qWarning().noquote() << "InteracaoRoteirizada: esperado" << nome(p.tipo) << p.texto
                             << "ocorreu" << descricao;
        return std::nullopt;
    }
    passos_.pop_front();
    return p;
}

void InteracaoRoteirizada::mensagem(const QString& texto, const QString& titulo) {
    auto p = proximo(Tipo::Mensagem, QStringLiteral("mensagem %1: %2").arg(titulo, texto));
    if (!p)
        return;
    if (p->texto != texto || (p->tituloConta && p->titulo != titulo))
        falhas_ << QStringLiteral("mensagem esperada «%1: %2», ocorreu «%3: %4»")
                       .arg(p->titulo, p->texto, titulo, texto);
}

bool InteracaoRoteirizada::pergunta(const QString& texto, const QString& titulo) {
    auto p = proximo(Tipo::Pergunta, QStringLiteral("pergunta %1: %2").arg(titulo, texto));
    if (!p)
        return false;
    if (p->texto != texto)
        falhas_ << QStringLiteral("pergunta esperada «%1», ocorreu «%2»").arg(p->texto, texto);
    return p->resposta;
}

Interacao::Resposta InteracaoRoteirizada::perguntaSimNaoCancelar(const QString& texto,
                                                                 const QString& titulo) {
    auto p = proximo(Tipo::PerguntaTripla,
                     QStringLiteral("pergunta sim/não/cancelar %1: %2").arg(titulo, texto));
    if (!p)
        return Resposta::Cancelar;
    if (p->texto != texto)
        falhas_ << QStringLiteral("pergunta esperada «%1», ocorreu «%2»").arg(p->texto, texto);
    return p->escolha;
}

std::optional<QString> InteracaoRoteirizada::escolherPasta(const QString& titulo,
                                                           const QString& raiz) {
    ultimoTitulo = titulo;
    ultimaRaiz = raiz;
    auto p = proximo(Tipo::Pasta, QStringLiteral("pasta %1").arg(titulo));
    return p ? p->arquivo : std::nullopt;
}

std::optional<QString> InteracaoRoteirizada::abrirArquivo(const QString& titulo,
                                                          const QString& filtro, const QString&) {
    ultimoTitulo = titulo;
    ultimoFiltro = filtro;
    auto p = proximo(Tipo::Abrir, QStringLiteral("abrir %1").arg(titulo));
    return p ? p->arquivo : std::nullopt;
}

std::optional<QString> InteracaoRoteirizada::salvarArquivo(const QString& titulo,
                                                           const QString& filtro,
                                                           const QString& extensaoPadrao) {
    const auto escolhido = salvarArquivoComFiltro(titulo, filtro, extensaoPadrao);
    return escolhido ? std::optional<QString>(escolhido->caminho) : std::nullopt;
}

std::optional<Interacao::ArquivoEscolhido> InteracaoRoteirizada::salvarArquivoComFiltro(
    const QString& titulo, const QString& filtro, const QString&) {
    ultimoTitulo = titulo;
    ultimoFiltro = filtro;
    auto p = proximo(Tipo::Salvar, QStringLiteral("salvar %1").arg(titulo));
    if (!p || !p->arquivo)
        return std::nullopt;
    const QStringList filtros = filtro.split(QStringLiteral(";;"));
    if (!p->titulo.isEmpty() && !filtros.contains(p->titulo))
        falhas_ << QStringLiteral("filtro «%1» não oferecido em «%2»").arg(p->titulo, filtro);
    return ArquivoEscolhido{*p->arquivo, p->titulo.isEmpty() ? filtros.constFirst() : p->titulo};
}

std::optional<QColor> InteracaoRoteirizada::escolherCor(const QColor& inicial) {
    auto p = proximo(Tipo::Cor, QStringLiteral("cor %1").arg(inicial.name()));
    return p ? p->cor : std::nullopt;
}

int InteracaoRoteirizada::executar(QDialog& dialogo) {
    const QString classe = QString::fromLatin1(dialogo.metaObject()->className());
    auto p = proximo(Tipo::Dialogo,
                     QStringLiteral("dialogo %1 «%2»").arg(classe, dialogo.windowTitle()));
    if (!p)
        return QDialog::Rejected;
    if (p->texto != classe) {
        falhas_ << QStringLiteral("dialogo esperado %1, ocorreu %2").arg(p->texto, classe);
        return QDialog::Rejected;
    }
    // Shown as a modal dialog would be (its show handlers run), then driven by the step.
    dialogo.setResult(QDialog::Rejected);
    dialogo.setWindowModality(Qt::ApplicationModal);
    dialogo.show();
    QApplication::processEvents();
    p->acaoDialogo(dialogo);
    QApplication::processEvents();
    if (dialogo.isVisible()) {
        falhas_ << QStringLiteral("dialogo %1 ficou aberto").arg(classe);
        dialogo.done(QDialog::Rejected);
    }
    return dialogo.result();
}

}  // namespace lumeno::teste
