#include "EstacaoBench.h"

#include <QSqlDatabase>
#include <QSqlQuery>

#include <cmath>
#include <random>

namespace lumeno {

std::vector<MedicaoBench> Medicoes3000(bool cotasInteiras) {
    std::mt19937 g(5);
    std::uniform_real_distribution<double> cotas(1100, 1600), ruido(0.9, 1.1);
    std::vector<MedicaoBench> m;
    for (int n = 0; n < 3000; ++n) {
        const double h = cotasInteiras ? std::round(cotas(g)) : cotas(g);
        m.push_back({h, 12.5 * std::pow(h / 100 - 9.5, 1.7) * ruido(g)});
    }
    return m;
}

EstacaoBench::EstacaoBench(const std::vector<MedicaoBench>& medicoes,
                           const std::vector<PontoPerfil>& perfil) {
    localizacoes = std::make_unique<LocalizacoesBanco>(dir.filePath("l.ini"));
    localizacoes->adicionar("Lumeno", "STANDARD", {{"PATH", dir.path()}});
    dm = std::make_unique<TDM>(*localizacoes);
    QSqlDatabase banco = dm->conexao().banco();
    banco.transaction();
    QSqlQuery(banco).exec("insert into estacao (codigo, descricao) values (1, 'Grande')");
    QSqlQuery m(banco);
    m.prepare(
        "insert into medida (estacao, numero, data, cota, vazao, area, velocidade, "
        "ponto_obrigatorio) values (1, ?, '2000-01-01', ?, ?, ?, ?, 0)");
    int numero = 1;
    for (const MedicaoBench& e : medicoes) {
        m.addBindValue(numero++);
        m.addBindValue(e.cota);
        m.addBindValue(e.vazao);
        m.addBindValue(e.area);
        m.addBindValue(e.velocidade);
        m.exec();
    }
    QSqlQuery p(banco);
    p.prepare("insert into ponto (estacao, x, y) values (1, ?, ?)");
    for (const PontoPerfil& e : perfil) {
        p.addBindValue(e.x);
        p.addBindValue(e.y);
        p.exec();
    }
    banco.commit();
    dm->qu_estacao1.abrir();
}

}  // namespace lumeno
