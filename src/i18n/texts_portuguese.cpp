#include "i18n/text_rows.h"

namespace calorix::i18n {
namespace {

constexpr std::string_view kRows[] = {
    // Main window menus and actions; 15 also captions the about box.
    /* 0 */ "Ficheiro",
    /* 1 */ "Abrir",
    /* 2 */ "Avaliação de vários dias",
    /* 3 */ "Fechar",
    /* 4 */ "Guardar",
    /* 5 */ "Imprimir",
    /* 6 */ "Sair",
    /* 7 */ "Definições",
    /* 8 */ "Novas janelas",
    /* 9 */ "Janela atual",
    /* 10 */ "Seleção de idioma",
    /* 11 */ "Janela",
    /* 12 */ "Em cascata",
    /* 13 */ "Empilhadas",
    /* 14 */ "Minimizar tudo",
    /* 15 */ "Acerca de",

    // Evaluation window caption. 17..21 are pieces of a composed caption and
    // carry their own blanks.
    /* 16 */ "Novo",
    /* 17 */ "Avaliação da ",
    /* 18 */ "Avaliação da ",
    /* 19 */ " até ",
    /* 20 */ ". (",
    /* 21 */ " dados encontrados)",

    // Evaluation window labels and its spreadsheet action.
    /* 22 */ "Intervalo de tempo apresentado",
    /* 23 */ "Barra de deslocamento",
    /* 24 */ "Abrir no Excel",

    // Span choice.
    /* 25 */ "1 hora",
    /* 26 */ "3 horas",
    /* 27 */ "8 horas",
    /* 28 */ "1 dia",
    /* 29 */ "1 mês",

    // Settings dialog (37 and 41 are not shown anywhere).
    /* 30 */ "Opções de gráfico e de visualização",
    /* 31 */ "Espessura da linha",
    /* 32 */ "Escala do eixo Y",
    /* 33 */ "dinâmica",
    /* 34 */ "fixa",
    /* 35 */ "Mín",
    /* 36 */ "Máx",
    /* 37 */ "Mostrar saídas como:",
    /* 38 */ "Mostrar como:",
    /* 39 */ "Barras",
    /* 40 */ "Linhas",
    /* 41 */ "Título do gráfico",
    /* 42 */ "Título de impressão",
    /* 43 */ "Predefinição",
    /* 44 */ "Cancelar",
    /* 45 */ "OK",

    // Evaluation window headline and group captions.
    /* 46 */ "Valores medidos selecionáveis",
    /* 47 */ "Entradas",
    /* 48 */ "Outros valores medidos",
    /* 49 */ "Saídas",

    // Message box captions.
    /* 50 */ "Pergunta",
    /* 51 */ "Erro",
    /* 52 */ "Aviso",
    /* 53 */ "Informação",

    // Not shown anywhere.
    /* 54 */ "Data",
    /* 55 */ "Empresa",

    // Default series names, in channel slot order.
    /* 56 */ "Sensor de temperatura 1",
    /* 57 */ "Sensor de temperatura 2",
    /* 58 */ "Sensor de temperatura 3",
    /* 59 */ "Sensor de temperatura 4",
    /* 60 */ "Sensor de temperatura 5",
    /* 61 */ "Sensor de temperatura 6",
    /* 62 */ "Sensor de temperatura direto",
    /* 63 */ "Caudal",
    /* 64 */ "Potência térmica",
    /* 65 */ "Caudal acumulado",
    /* 66 */ "Energia acumulada",
    /* 67 */ "Saída 1",
    /* 68 */ "Saída 2",
    /* 69 */ "Saída 3",
    /* 70 */ "Saída de sinalização de avaria",

    // About box version line and file dialog filter names.
    /* 71 */ "Versão",
    /* 72 */ "Ficheiros de registo",
    /* 73 */ "Ficheiros de imagem",
    /* 74 */ "Todos os ficheiros",

    // Multi-day dialog.
    /* 75 */ "Data inicial",
    /* 76 */ "Data final",
    /* 77 */ "Procurar...",
    /* 78 */ "Avaliar",
    /* 79 */ "Prima a tecla Esc para cancelar.",
    /* 80 */ "Cancelado pelo utilizador.",

    // Questions and messages (94 is not shown anywhere).
    /* 81 */
    "As definições foram aplicadas. Pretende guardá-las também para "
    "avaliações futuras?",
    /* 82 */
    "As definições foram guardadas. Pretende aplicá-las a todas as avaliações "
    "atualmente abertas?",
    /* 83 */ "Abra primeiro um ficheiro de registo (*.csv).",
    /* 84 */ "Erro ao abrir o ficheiro.",
    /* 85 */ "O ficheiro indicado não contém valores medidos.",
    /* 86 */ "O ficheiro indicado não é um ficheiro de registo válido.",
    /* 87 */
    "Não foi encontrado nenhum ficheiro. Verifique o caminho e tente "
    "novamente.",
    /* 88 */ "Os nomes de ficheiro indicados não contêm uma data válida.",
    /* 89 */ "Para os ficheiros de registo só é permitida a extensão '.csv'.",
    /* 90 */
    "Não é possível atribuir uma data ao ficheiro inicial selecionado.",
    /* 91 */ "Não é possível atribuir uma data ao ficheiro final selecionado.",
    /* 92 */ "A data do ficheiro final é anterior à do ficheiro inicial.",
    /* 93 */ "Selecionou apenas 1 dia. Foi iniciada uma avaliação simples.",
    /* 94 */ "Conjunto de dados incompleto.",
    /* 95 */
    "Falha no acesso ao ficheiro INI. Não é possível guardar as definições.",
    /* 96 */
    "Já abriu o número máximo de avaliações. Pretende abrir uma nova "
    "avaliação? Nota: a avaliação atual será perdida.",
    /* 97 */
    "Não foi possível abrir outra janela de avaliação. A memória disponível "
    "pode ser insuficiente. Feche as aplicações que não estiver a utilizar e "
    "tente novamente.",
    /* 98 */
    "Ocorreu um erro ao criar a estrutura de dados. A memória é provavelmente "
    "insuficiente. Feche as aplicações que não estiver a utilizar e tente "
    "novamente.",
    /* 99 */
    "Não foi possível encontrar o Excel.exe. Selecione manualmente o caminho "
    "para o Excel.",
    /* 100 */
    "Falha ao iniciar o Excel. O ficheiro tem de ser aberto manualmente.",
    /* 101 */ "Não é possível imprimir.",
    /* 102 */ "Não existem dados disponíveis.",
    /* 103 */ "Introduza uma designação.",
    /* 104 */ "Introduza apenas números para os valores do eixo Y.",
    /* 105 */ "Espessura da linha inválida. Introduza um número entre 1 e 99.",

    // About box. The disclaimer is 106, a blank and 107.
    /* 106 */
    "Este software é freeware. É distribuído gratuitamente e pode ser "
    "copiado, utilizado e transmitido a terceiros. Só são permitidas "
    "alterações ao software com o acordo dos autores. O software só pode ser "
    "transmitido completo e inalterado, juntamente com todos os avisos de "
    "direitos de autor e demais avisos de proteção. A distribuição comercial, "
    "isoladamente ou como parte de outro produto, requer a autorização "
    "prévia, por escrito, dos autores. O software é fornecido sem qualquer "
    "garantia, expressa ou implícita, incluindo as garantias de "
    "comercialização ou de adequação a um fim específico. A sua utilização é "
    "da exclusiva responsabilidade do utilizador. Se detetar erros, pedimos "
    "que os comunique aos autores, para que possam ser corrigidos.",
    /* 107 */ "",
    /* 108 */ "Produto fabricado para:",
    /* 109 */ "Estados Unidos",
    /* 110 */ "Tel.",
    /* 111 */ "Fax.",
};

// Texts added after the numbered rows.
constexpr std::string_view kAddedRows[] = {
    /* 112 */ "Nenhum dos ficheiros selecionados pôde ser carregado.",
    /* 113 */ "Alguns ficheiros não puderam ser carregados e foram omitidos:",
    /* 114 */
    "Não foi possível guardar as definições. Aplicam-se às novas janelas até "
    "o programa terminar. Pretende aplicá-las a todas as avaliações "
    "atualmente abertas?",
    // 115: reading a day file stopped early at line %1
    /* 115 */ "A leitura parou na linha %1, que não contém um registo válido; são mostrados os valores anteriores.",
    /* 116 */ "ligado",
    /* 117 */ "desligado",
    /* 118 */ "Este ficheiro já não existe e foi retirado dos ficheiros recentes:",
    /* 119 */ "1 ano",
    /* 120 */ "Por mês",
    /* 121 */ "Comparar com",
    /* 122 */ "(nenhum)",
    /* 123 */ "Resumo",
    /* 124 */ "Mínimo",
    /* 125 */ "Máximo",
    /* 126 */ "Hora do máximo",
    /* 127 */ "Média",
    /* 128 */ "Horas de funcionamento",
    /* 129 */ "Dias sem ficheiro",
    /* 130 */ "Exportar totais diários...",
    /* 131 */ "Exportar totais mensais...",
    /* 132 */ "Ficheiros CSV",
    /* 133 */ "Melhor dia",
    /* 134 */ "Os registos deste ficheiro têm a data %1, fora dos meses da análise; o ficheiro foi omitido.",
    /* 135 */ "As colunas deste ficheiro diferem das do primeiro ficheiro; o ficheiro foi omitido.",
    /* 136 */ "Não foi possível guardar a imagem «%1»: %2",
    /* 137 */ "Não foi possível escrever o ficheiro «%1»: %2",
    /* 138 */ "Erro interno",
    /* 139 */ "Marque um valor medido à esquerda para o mostrar",
    /* 140 */ "o gráfico não tem tamanho",
    /* 141 */ "não foi possível escrever a imagem",
    /* 142 */ "Livros do Excel",
    /* 143 */ "Escolha um ficheiro diário nesta pasta.",
    /* 144 */ "Este ficheiro não existe.",
    /* 145 */ "Recarregar",
    /* 146 */ "Saltar para trás",
    /* 147 */ "Deslocar para trás",
    /* 148 */ "Deslocar para a frente",
    /* 149 */ "Saltar para a frente",
    /* 150 */ "Gráfico dos valores medidos",
    /* 151 */ "Gráfico das saídas",
    /* 152 */ "Cor",
    /* 153 */ "Constatações",
    /* 154 */ "Nenhuma constatação nos dias carregados.",
    /* 155 */ "Período",
    /* 156 */ "Constatação",
    /* 157 */ "Canal",
    /* 158 */ "Valor",
    /* 159 */ "Sobreaquecimento do coletor",
    /* 160 */ "Bomba a funcionar sem rendimento",
    /* 161 */ "Bomba com ciclos curtos",
    /* 162 */ "Erro de sensor (Err)",
    /* 163 */ "Valor fora da gama",
    /* 164 */ "Sensor parado",
    /* 165 */ "Sinal de falha ativo",
    /* 166 */ "Falha no registo",
    /* 167 */ "Dias sem ficheiro",
    /* 168 */ "Perda de calor noturna",
    /* 169 */ "(a acompanhar o registo)",
    /* 170 */ "Acompanhar o registo de hoje",
    /* 171 */ "esta versão não pode escrever ficheiros SVG (PNG, BMP e PDF sim)",
};

}  // namespace

TextRows PortugueseRows() { return kRows; }
AddedTextRows PortugueseAddedRows() { return kAddedRows; }

}  // namespace calorix::i18n
