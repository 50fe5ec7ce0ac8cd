// What the windows share: the interaction with the user, the data module and the
// windows themselves, each created once by the main window at start-up and living as
// long as it does. A window reaches another one through here.
#pragma once

namespace lumeno {

class Interacao;
class TDM;
class TSelecionarEstacao;
class TfrmDigitarNumero;
class TfrmDigitarData;
class TAboutBox;

struct Contexto {
    Interacao& interacao;
    TDM& dm;

    TSelecionarEstacao* SelecionarEstacao = nullptr;
    TfrmDigitarNumero* frmDigitarNumero = nullptr;
    TfrmDigitarData* frmDigitarData = nullptr;
    TAboutBox* AboutBox = nullptr;
};

}  // namespace lumeno
