// The main window: the menu from which every window is reached, the data-directory
// configuration at its first showing, and the owner of the program's other windows,
// which are created once and live as long as it does.
#pragma once

#include "analysis/DadosEstacao.h"
#include "app/ui/Contexto.h"
#include "curves/CriteriosExclusao.h"

#include <QMainWindow>

#include <memory>
#include <optional>

class QAction;
class QLabel;
class QWidget;

namespace lumeno {

class Configuracao;
class ImportadorHidro;
class LocalizacoesBanco;

class TInicial : public QMainWindow {
    Q_OBJECT
public:
    TInicial(Interacao& interacao, TDM& dm, LocalizacoesBanco& localizacoes,
             Configuracao& configuracao, QWidget* pai = nullptr);
    ~TInicial() override;

    Contexto& contexto() { return contexto_; }

    // Set once the start-up configuration has run; cleared by "Localização de dados".
    bool Configurado = false;

    // The data directory shown in the status bar's first panel.
    QLabel* pnlDiretorio;

    // "&Arquivo" › "&Importar dados"
    QAction* DNAEEsec1;           // "DNAEE (*.rsm)"
    QAction* Hidrologiacop1;      // "Texto (*.cop)"
    QAction* Hidromdb1;           // "Hidro (*.mdb)" of the measurement summaries
    QAction* HidroWeb1;           // "HidroWeb (*.zip, *.csv)" of the measurement summaries
    QAction* Hidrologiasec1;      // "&Texto (*.sec)"
    QAction* Hidromdb2;           // "Hidro (*.mdb)" of the cross-sections
    QAction* HidroWeb2;           // "HidroWeb (*.zip, *.csv)" of the cross-sections
    QAction* TabeladeriosHidro1;  // "Tabela de rios (Hidro)"
    // "&Arquivo" › "&Editar"
    QAction* mniCriarEstacao;
    QAction* mniResumoMedicoes;
    QAction* mniSecaoTransversal;
    QAction* mniLocalizacaoDados;
    QAction* mniFechar;
    // "A&nalisar dados"
    QAction* mniAvaliarTrechos;
    QAction* mniAjustarCurvas;
    // "&Banco de estações"
    QAction* mniMedicoesSecoes;
    // "&?"
    QAction* mniEstacaoExemplo;  // "Abrir estação de exemplo"
    QAction* mniSobre;

    // Start-up configuration: makes sure the data directory is known and the location
    // "Lumeno" points at it. Runs at the first showing.
    void ConfigurarInicio();
    void LocalizacaoDadosClick();
    // Reopens the station list and shows the station picker; true when a station was
    // chosen (the station list then stands on it).
    bool SelecionarEstacao();
    // "&Criar estação": asks the new station's code, then edits the new station.
    void CriarEstacaoClick();
    // "A&justar curvas": station picker, then the curve-adjustment window.
    void AjustarCurvasClick();
    // "Avaliar trechos": station picker, then the data-analysis window.
    void AvaliarTrechosClick();

    // Imports of text and record files: each reads and checks the whole file, finds the
    // station by its code (or lets the user create it), asks before it replaces rows the
    // station already has, replaces the station's rows of that kind by the file's, then
    // reports how many were stored.
    void ImportaDadosCOP(const QString& FileName);
    void ImportaDadosSEC(const QString& FileName);
    void ImportaDadosRSM(const QString& FileName);
    void Hidrologiacop1Click();
    void Hidrologiasec1Click();
    void DNAEEsec1Click();

    // Imports from the network's database (import/ui/ImportadorHidro.h): the Access file
    // and the CSV downloads.
    void ImportaDadosMDB(const QString& FileName);
    void ImportaDadosSecaoMDB(const QString& FileName);
    void ImportaDadosRio(const QString& FileName);
    void ImportaMedicoesHidroWeb(const QString& FileName);
    void ImportaSecaoHidroWeb(const QString& FileName);
    void Hidromdb1Click();
    void Hidromdb2Click();
    void TabeladeriosHidro1Click();
    void HidroWeb1Click();
    void HidroWeb2Click();
    ImportadorHidro& importadorHidro() { return *importadorHidro_; }

protected:
    void showEvent(QShowEvent* e) override;

private:
    // The station of an import: found by its code (unless `procurar` is false), or created
    // through the station dialog. None when the user does not confirm the new station.
    std::optional<int> estacaoDaImportacao(int codigo, const QString& textoCodigo,
                                           const QString& titulo, bool procurar);
    // Asks whether the station's measurements (or points) may be replaced by the `novas`
    // of the file; true without asking when the station has none.
    bool confirmarSubstituicao(int idEstacao, int codigo, int novas, bool pontos);
    void criarMenu();
    QWidget* criarFundo();

    CriteriosExclusao criterios_;
    std::unique_ptr<ImportadorHidro> importadorHidro_;
    // The station-data summary of the current adjustment.
    DadosEstacao dadosEstacao_;
    Contexto contexto_;
    LocalizacoesBanco& localizacoes_;
    Configuracao& configuracao_;
};

}  // namespace lumeno
