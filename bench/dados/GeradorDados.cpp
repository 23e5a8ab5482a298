#include "bench/dados/GeradorDados.h"

#include "app/core/Esquema.h"
#include "app/core/TextoDobrado.h"

#include <QDate>
#include <QFile>

#include <sqlite3.h>

#include <array>
#include <cmath>
#include <string>
#include <vector>

namespace {

// SplitMix64: the same numbers for the same seed on every platform and library.
class Sorteio {
public:
  explicit Sorteio(std::uint64_t semente) : estado_(semente) {}
  std::uint64_t proximo() {
    std::uint64_t z = (estado_ += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
  }
  /// 0 <= n < limite
  std::uint64_t ate(std::uint64_t limite) { return proximo() % limite; }
  double fracao() { return static_cast<double>(proximo() >> 11) / 9007199254740992.0; }
  template <typename T, std::size_t N>
  const T& um(const std::array<T, N>& lista) {
    return lista[ate(N)];
  }

private:
  std::uint64_t estado_;
};

constexpr std::array<const char*, 48> kNomes = {
    "João",   "José",     "Antônio",  "Francisco", "Carlos",   "Paulo",   "Pedro",     "Lucas",   "Luiz",     "Marcos",
    "Luís",   "Gabriel",  "Rafael",   "Daniel",    "Marcelo",  "Bruno",   "Eduardo",   "Felipe",  "Raimundo", "Rodrigo",
    "Sérgio", "Fábio",    "André",    "Márcio",    "Maria",    "Ana",     "Francisca", "Antônia", "Adriana",  "Juliana",
    "Márcia", "Fernanda", "Patrícia", "Aline",     "Sandra",   "Camila",  "Amanda",    "Bruna",   "Jéssica",  "Letícia",
    "Júlia",  "Luciana",  "Vanessa",  "Mariana",   "Gabriela", "Vitória", "Conceição", "Cláudia"};
constexpr std::array<const char*, 40> kSobrenomes = {
    "Silva",     "Santos",   "Oliveira",  "Souza",     "Rodrigues", "Ferreira",   "Alves",   "Pereira",
    "Lima",      "Gomes",    "Ribeiro",   "Carvalho",  "Araújo",    "Almeida",    "Lopes",   "Soares",
    "Fernandes", "Vieira",   "Barbosa",   "Rocha",     "Dias",      "Nascimento", "Andrade", "Moreira",
    "Nunes",     "Marques",  "Machado",   "Mendes",    "Freitas",   "Cardoso",    "Ramos",   "Gonçalves",
    "Santana",   "Teixeira", "Magalhães", "Conceição", "Brandão",   "Falcão",     "Simões",  "Assunção"};
constexpr std::array<const char*, 16> kEmpresas = {"Comércio de Materiais",
                                                   "Padaria e Confeitaria",
                                                   "Serviços Contábeis",
                                                   "Transportes",
                                                   "Construções",
                                                   "Farmácia",
                                                   "Auto Peças",
                                                   "Distribuidora de Alimentos",
                                                   "Papelaria",
                                                   "Consultoria Empresarial",
                                                   "Mercearia",
                                                   "Informática",
                                                   "Óticas",
                                                   "Clínica Odontológica",
                                                   "Açougue e Frigorífico",
                                                   "Calçados"};
constexpr std::array<const char*, 6> kTiposEmpresa = {"Ltda.", "ME", "EIRELI", "S.A.", "Ltda. ME", "EPP"};
constexpr std::array<const char*, 6> kLogradouros = {"Rua", "Avenida", "Travessa", "Alameda", "Praça", "Rua"};
constexpr std::array<const char*, 20> kRuas = {"das Flores",       "São João",
                                               "Sete de Setembro", "Tiradentes",
                                               "Dom Pedro II",     "XV de Novembro",
                                               "Getúlio Vargas",   "Santos Dumont",
                                               "da Conceição",     "Marechal Deodoro",
                                               "Rui Barbosa",      "Castro Alves",
                                               "dos Andradas",     "Barão do Rio Branco",
                                               "José Bonifácio",   "Duque de Caxias",
                                               "da Liberdade",     "Paraná",
                                               "Amazonas",         "Visconde de Mauá"};
constexpr std::array<const char*, 14> kBairros = {
    "Centro",     "Jardim América",  "Vila Nova", "Boa Vista", "Santa Cecília", "São Cristóvão", "Liberdade",
    "Bela Vista", "Jardim Paulista", "Aclimação", "Ipiranga",  "Consolação",    "Cidade Alta",   "Vila Mariana"};
struct Cidade {
  const char* nome;
  const char* uf;
  int ddd;
  int cep;
};
constexpr std::array<Cidade, 14> kCidades = {{{"São Paulo", "SP", 11, 1000},
                                              {"Rio de Janeiro", "RJ", 21, 20000},
                                              {"Belo Horizonte", "MG", 31, 30000},
                                              {"Porto Alegre", "RS", 51, 90000},
                                              {"Curitiba", "PR", 41, 80000},
                                              {"Salvador", "BA", 71, 40000},
                                              {"Recife", "PE", 81, 50000},
                                              {"Fortaleza", "CE", 85, 60000},
                                              {"Goiânia", "GO", 62, 74000},
                                              {"Belém", "PA", 91, 66000},
                                              {"Florianópolis", "SC", 48, 88000},
                                              {"Vitória", "ES", 27, 29000},
                                              {"São Luís", "MA", 98, 65000},
                                              {"Maceió", "AL", 82, 57000}}};
constexpr std::array<const char*, 12> kMeses = {"janeiro", "fevereiro", "março",    "abril",   "maio",     "junho",
                                                "julho",   "agosto",    "setembro", "outubro", "novembro", "dezembro"};
constexpr std::array<const char*, 12> kServicos = {"Aluguel do imóvel residencial",
                                                   "Honorários contábeis",
                                                   "Prestação de serviços de manutenção",
                                                   "Mensalidade escolar",
                                                   "Serviços de pintura",
                                                   "Consulta odontológica",
                                                   "Frete e transporte de mercadorias",
                                                   "Conserto de veículo",
                                                   "Aulas particulares de inglês",
                                                   "Serviços de jardinagem",
                                                   "Condomínio do apartamento",
                                                   "Assessoria jurídica"};

std::string digitos(Sorteio& s, int n) {
  std::string d;
  for (int i = 0; i < n; ++i)
    d.push_back(static_cast<char>('0' + s.ate(10)));
  return d;
}

// Check digit over `corpo` with the weights given (each character counts as its code minus 48,
// which for digits is the digit itself).
char digitoVerificador(const std::string& corpo, const std::vector<int>& pesos) {
  int soma = 0;
  for (std::size_t i = 0; i < corpo.size(); ++i)
    soma += (corpo[i] - '0') * pesos[i];
  const int resto = soma % 11;
  return static_cast<char>('0' + (resto < 2 ? 0 : 11 - resto));
}

std::string cpf(Sorteio& s) {
  std::string c = digitos(s, 9);
  c += digitoVerificador(c, {10, 9, 8, 7, 6, 5, 4, 3, 2});
  c += digitoVerificador(c, {11, 10, 9, 8, 7, 6, 5, 4, 3, 2});
  return c;
}

std::string cnpj(Sorteio& s) {
  std::string c;
  // A few of the new alphanumeric CNPJs, issued since July 2026.
  const bool alfanumerico = s.ate(50) == 0;
  for (int i = 0; i < 8; ++i)
    c.push_back(alfanumerico && s.ate(3) == 0 ? static_cast<char>('A' + s.ate(26))
                                              : static_cast<char>('0' + s.ate(10)));
  c += "0001";
  c += digitoVerificador(c, {5, 4, 3, 2, 9, 8, 7, 6, 5, 4, 3, 2});
  c += digitoVerificador(c, {6, 5, 4, 3, 2, 9, 8, 7, 6, 5, 4, 3, 2});
  return c;
}

std::string telefone(int ddd, int prefixo, int final) {
  char texto[24];
  std::snprintf(texto, sizeof texto, "(%02d) %d-%04d", ddd, prefixo, final);
  return texto;
}

// A name as it can appear in an e-mail address: folded, dots for blanks.
std::string semAcento(const std::string& texto) {
  std::string saida;
  TextoDobrado::dobrar(texto, saida);
  for (char& c : saida)
    if (c == ' ')
      c = '.';
  return saida;
}

class Comando {
public:
  Comando(sqlite3* banco, const char* sql) { sqlite3_prepare_v2(banco, sql, -1, &st_, nullptr); }
  ~Comando() { sqlite3_finalize(st_); }
  Comando(const Comando&) = delete;
  Comando& operator=(const Comando&) = delete;
  void texto(int i, const std::string& v) {
    sqlite3_bind_text(st_, i, v.data(), static_cast<int>(v.size()), SQLITE_TRANSIENT);
  }
  void inteiro(int i, sqlite3_int64 v) { sqlite3_bind_int64(st_, i, v); }
  void nulo(int i) { sqlite3_bind_null(st_, i); }
  bool executar() {
    const int r = sqlite3_step(st_);
    sqlite3_reset(st_);
    return r == SQLITE_DONE;
  }
  bool valido() const { return st_ != nullptr; }

private:
  sqlite3_stmt* st_ = nullptr;
};

Resultado falha(sqlite3* banco) {
  return Resultado::falha(QString::fromUtf8(sqlite3_errmsg(banco)), sqlite3_errcode(banco));
}

}  // namespace

Resultado GeradorDados::gerar(const QString& caminho) const {
  QFile::remove(caminho);
  if (Resultado r = Esquema::CriarBanco(caminho); !r)
    return r;

  sqlite3* banco = nullptr;
  if (sqlite3_open(QFile::encodeName(caminho).constData(), &banco) != SQLITE_OK) {
    const Resultado r = falha(banco);
    sqlite3_close(banco);
    return r;
  }
  Sorteio s(semente);
  Resultado resultado;
  sqlite3_exec(banco, "PRAGMA journal_mode=OFF; PRAGMA synchronous=OFF; BEGIN", nullptr, nullptr, nullptr);
  {
    Comando pessoa(banco,
                   "INSERT INTO tbPessoa (Codigo, Descricao, TipoPessoa, Documento01, Documento02, Endereco, Numero,"
                   " Complemento, Bairro, Cidade, UF, Cep, Telefone, Celular, Fax, EMail, Homepage)"
                   " VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)");
    for (qint64 codigo = 1; codigo <= pessoas && resultado; ++codigo) {
      const bool juridica = s.ate(4) == 0;
      const Cidade& cidade = s.um(kCidades);
      std::string nome;
      std::string sobrenome = s.um(kSobrenomes);
      if (juridica) {
        nome = std::string(s.um(kEmpresas)) + " " + sobrenome + " " + s.um(kTiposEmpresa);
      } else {
        nome = std::string(s.um(kNomes)) + " " + s.um(kSobrenomes) + " " + sobrenome;
      }
      pessoa.inteiro(1, codigo);
      pessoa.texto(2, nome);
      pessoa.inteiro(3, juridica ? 1 : 0);
      pessoa.texto(4, juridica ? cnpj(s) : cpf(s));
      pessoa.texto(5, juridica ? digitos(s, 9) : digitos(s, 8) + "-" + digitos(s, 1));
      pessoa.texto(6, std::string(s.um(kLogradouros)) + " " + s.um(kRuas));
      pessoa.texto(7, std::to_string(1 + s.ate(3000)));
      pessoa.texto(8, s.ate(3) == 0 ? "Apto " + std::to_string(11 + s.ate(190)) : std::string());
      pessoa.texto(9, s.um(kBairros));
      pessoa.texto(10, cidade.nome);
      pessoa.texto(11, cidade.uf);
      if (s.ate(10) == 0) {
        pessoa.nulo(12);
      } else {
        char cep[16];
        std::snprintf(cep, sizeof cep, "%05d-%03d", cidade.cep + static_cast<int>(s.ate(900)),
                      static_cast<int>(s.ate(1000)));
        pessoa.texto(12, cep);
      }
      pessoa.texto(13, telefone(cidade.ddd, 3000 + static_cast<int>(s.ate(1000)), static_cast<int>(s.ate(10000))));
      pessoa.texto(14, telefone(cidade.ddd, 90000 + static_cast<int>(s.ate(10000)), static_cast<int>(s.ate(10000))));
      pessoa.texto(15, std::string());
      pessoa.texto(16, semAcento(juridica ? "contato" : nome.substr(0, nome.find(' '))) + std::to_string(codigo) +
                           "@exemplo.com.br");
      pessoa.texto(17, juridica ? "www." + semAcento(sobrenome) + std::to_string(codigo) + ".com.br" : std::string());
      if (!pessoa.executar())
        resultado = falha(banco);
    }

    std::vector<std::string> textos;
    Comando referente(banco, "INSERT INTO tbReferente (Codigo, Descricao) VALUES (?,?)");
    for (qint64 codigo = 1; codigo <= referentes && resultado; ++codigo) {
      std::string texto = std::string(s.um(kServicos)) + " referente ao mês de " + s.um(kMeses);
      if (s.ate(5) == 0)
        texto += "\r\nconforme contrato firmado entre as partes";
      textos.push_back(texto);
      referente.inteiro(1, codigo);
      referente.texto(2, texto);
      if (!referente.executar())
        resultado = falha(banco);
    }

    // Issuers are a few dozen businesses and professionals; payers are anybody.
    const qint64 emitentes = std::min<qint64>(pessoas, 40);
    Comando recibo(
        banco,
        "INSERT INTO tbRecibo (Codigo, Ano, DataEmissao, Valor, Recebi, Emitente, Referente, Observacao, Vias)"
        " VALUES (?,?,?,?,?,?,?,?,?)");
    for (int a = 0; a < anos && resultado; ++a) {
      const int ano = ultimoAno - anos + 1 + a;
      const qint64 doAno = recibos / anos + (a < recibos % anos ? 1 : 0);
      const int dias = QDate(ano, 1, 1).daysInYear();
      for (qint64 numero = 1; numero <= doAno && resultado; ++numero) {
        // Numbers follow the dates through the year.
        const int dia = static_cast<int>((numero - 1) * dias / std::max<qint64>(doAno, 1));
        const QDate data = QDate(ano, 1, 1).addDays(dia);
        const double reais = std::exp(std::log(10.0) + s.fracao() * (std::log(50000.0) - std::log(10.0)));
        const qint64 centavos = static_cast<qint64>(std::llround(reais * 100.0));
        const qint64 recebi =
            emitentes + 1 +
            static_cast<qint64>(s.ate(static_cast<std::uint64_t>(std::max<qint64>(pessoas - emitentes, 1))));
        recibo.inteiro(1, numero);
        recibo.inteiro(2, ano);
        recibo.texto(3, data.toString(QStringLiteral("yyyy-MM-dd")).toStdString());
        recibo.inteiro(4, centavos * 100);
        recibo.inteiro(5, std::min(recebi, pessoas));
        if (emitentePrincipal && numero % 10 == 0)
          recibo.inteiro(6, 1);
        else if (emitentePrincipal)
          recibo.inteiro(
              6, 2 + static_cast<qint64>(s.ate(static_cast<std::uint64_t>(std::max<qint64>(emitentes - 1, 1)))));
        else
          recibo.inteiro(6, 1 + static_cast<qint64>(s.ate(static_cast<std::uint64_t>(emitentes))));
        recibo.texto(7, textos[s.ate(textos.size())]);
        recibo.texto(8, s.ate(4) == 0 ? "Pago em dinheiro" : std::string());
        recibo.texto(9, s.ate(3) == 0 ? "2" : "1");
        if (!recibo.executar())
          resultado = falha(banco);
      }
    }
  }
  if (resultado && sqlite3_exec(banco, "COMMIT", nullptr, nullptr, nullptr) != SQLITE_OK)
    resultado = falha(banco);
  sqlite3_close(banco);
  return resultado;
}
