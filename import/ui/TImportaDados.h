// The progress window of the imports: "Aguarde . . . importando dados" and a bar 0–100.
#pragma once

#include <QDialog>

class QProgressBar;

namespace lumeno {

class TImportaDados : public QDialog {
    Q_OBJECT
public:
    explicit TImportaDados(QWidget* pai = nullptr);

    // Shows the window (not modal) with `titulo` and the bar at 0.
    void iniciar(const QString& titulo);
    // Moves the bar and repaints it at once.
    void avancar(int percentual);

    QProgressBar* pbProgresso;
};

// Shows the progress window for the life of a block and closes it in any case.
class ProgressoVisivel {
public:
    ProgressoVisivel(TImportaDados& janela, const QString& titulo) : janela_(janela) {
        janela_.iniciar(titulo);
    }
    ~ProgressoVisivel() { janela_.hide(); }
    ProgressoVisivel(const ProgressoVisivel&) = delete;
    ProgressoVisivel& operator=(const ProgressoVisivel&) = delete;

private:
    TImportaDados& janela_;
};

}  // namespace lumeno
