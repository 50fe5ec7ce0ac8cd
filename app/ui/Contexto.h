// What the windows share: the interaction with the user, the data module and the
// windows themselves, each created once by the main window at start-up and living as
// long as it does. A window reaches another one through here.
#pragma once

#include <QString>

#include <functional>

namespace lumeno {

class Interacao;
class TDM;
class CriteriosExclusao;
class TSelecionarEstacao;
class TfrmDigitarNumero;
class TfrmDigitarData;
class TAboutBox;
class TDigitarEstacao;
class TDigitarCodigoEstacao;
class TControleEstacao;
class TDigitarMedicao;
class TMedicoesEstacao;
class TMostrarPontosExtrapolados;
class TTelaMedicao;
class DadosEstacao;
class TImportaDados;
class TfrmParmsCurva;
class TCriterioExclusao;
class TAjusteFixo;
class TAjusteFixoGeral;
class TDadosCotaExtrapolacao;
class TDigitarKManning;
class TfrmDadosEstacao;

struct Contexto {
    Contexto(Interacao& i, TDM& d, CriteriosExclusao& c) : interacao(i), dm(d), criterios(c) {}

    Interacao& interacao;
    TDM& dm;
    // The exclusion criteria of the curve-adjustment window.
    CriteriosExclusao& criterios;

    TSelecionarEstacao* SelecionarEstacao = nullptr;
    TfrmDigitarNumero* frmDigitarNumero = nullptr;
    TfrmDigitarData* frmDigitarData = nullptr;
    TAboutBox* AboutBox = nullptr;
    TDigitarEstacao* DigitarEstacao = nullptr;
    TDigitarCodigoEstacao* DigitarCodigoEstacao = nullptr;
    TControleEstacao* ControleEstacao = nullptr;
    TDigitarMedicao* DigitarMedicao = nullptr;
    TMedicoesEstacao* MedicoesEstacao = nullptr;
    TMostrarPontosExtrapolados* MostrarPontosExtrapolados = nullptr;
    TTelaMedicao* TelaMedicao = nullptr;
    TImportaDados* ImportaDados = nullptr;
    // The station-data summary of the current adjustment.
    DadosEstacao* dadosEstacao = nullptr;
    TfrmParmsCurva* frmParmsCurva = nullptr;
    TCriterioExclusao* CriterioExclusao = nullptr;
    TAjusteFixo* AjusteFixo = nullptr;
    TAjusteFixoGeral* AjusteFixoGeral = nullptr;
    TDadosCotaExtrapolacao* DadosCotaExtrapolacao = nullptr;
    TDigitarKManning* DigitarKManning = nullptr;
    // The station-data summary window, beside the curve-adjustment window (not modal).
    TfrmDadosEstacao* frmDadosEstacao = nullptr;

    // Per-station windows, opened for the station that is the current row of the station
    // list (and, but for the section, of the station table). Empty until the window exists.
    std::function<void(int idEstacao)> abrirAjusteCurvas;
    std::function<void()> abrirAnaliseDados;
    std::function<void(const QString& titulo)> abrirMedicoes;
    std::function<void()> abrirSecao;
    // The cross-section view beside the current window (not modal), and its closing.
    std::function<void()> mostrarSecao;
    std::function<void()> fecharVistaSecao;
    std::function<void()> abrirDefaultCurvas;
};

}  // namespace lumeno
