#include "app/Configuracao.h"
#include "app/Formato.h"
#include "app/PastasRecentes.h"
#include "app/ui/AplicacaoLumeno.h"
#include "app/ui/InteracaoWidgets.h"
#include "app/ui/TInicial.h"
#include "data/LocalizacoesBanco.h"
#include "data/TDM.h"

int main(int argc, char** argv) {
    lumeno::fixarLocale();
    lumeno::AplicacaoLumeno app(argc, argv);
    if (!app.carregarTraducaoQt())
        qWarning(
            "Lumeno: tradução %s do Qt não encontrada (pacote qt6-translations-l10n); "
            "os diálogos padrão aparecem em inglês",
            qPrintable(lumeno::AplicacaoLumeno::traducaoQt));

    lumeno::LocalizacoesBanco localizacoes(lumeno::LocalizacoesBanco::arquivoPadrao());
    lumeno::Configuracao configuracao(lumeno::Configuracao::arquivoIniPadrao());
    lumeno::PastasRecentes pastas(lumeno::PastasRecentes::arquivoPadrao());
    lumeno::InteracaoWidgets interacao;
    interacao.definirPastas(&pastas);
    lumeno::TDM dm(localizacoes);
    lumeno::TInicial inicial(interacao, dm, localizacoes, configuracao);
    interacao.definirPai(&inicial);
    app.definirInteracao(&interacao);

    inicial.showMaximized();
    return app.exec();
}
