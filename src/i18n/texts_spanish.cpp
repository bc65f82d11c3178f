#include "i18n/text_rows.h"

namespace calorix::i18n {
namespace {

// The disclaimer runs on from 106 into 107.

constexpr std::string_view kRows[] = {
    // Main window menus and actions; 15 also captions the about box.
    /* 0 */ "Archivo",
    /* 1 */ "Abrir",
    /* 2 */ "Evaluación de varios días",
    /* 3 */ "Cerrar",
    /* 4 */ "Guardar",
    /* 5 */ "Imprimir",
    /* 6 */ "Salir",
    /* 7 */ "Configuración",
    /* 8 */ "Ventanas nuevas",
    /* 9 */ "Ventana actual",
    /* 10 */ "Selección de idioma",
    /* 11 */ "Ventana",
    /* 12 */ "En cascada",
    /* 13 */ "Apiladas",
    /* 14 */ "Minimizar todas",
    /* 15 */ "Acerca de",

    // Evaluation window caption. 17..21 are pieces of a composed caption and
    // carry their own blanks.
    /* 16 */ "Nuevo",
    /* 17 */ "Evaluación del ",
    /* 18 */ "Evaluación del ",
    /* 19 */ " al ",
    /* 20 */ ". (",
    /* 21 */ " ficheros encontrados)",

    // Evaluation window labels and its spreadsheet action.
    /* 22 */ "Intervalo de tiempo mostrado",
    /* 23 */ "Barra de desplazamiento",
    /* 24 */ "Abrir en Excel",

    // Span choice.
    /* 25 */ "1 hora",
    /* 26 */ "3 horas",
    /* 27 */ "8 horas",
    /* 28 */ "1 día",
    /* 29 */ "1 mes",

    // Settings dialog (37 and 41 are not shown anywhere).
    /* 30 */ "Opciones de gráfico y visualización",
    /* 31 */ "Grosor de línea",
    /* 32 */ "Escala del eje Y",
    /* 33 */ "dinámica",
    /* 34 */ "fija",
    /* 35 */ "Mín",
    /* 36 */ "Máx",
    /* 37 */ "Mostrar salidas como:",
    /* 38 */ "Mostrar como:",
    /* 39 */ "Barras",
    /* 40 */ "Líneas",
    /* 41 */ "Título del gráfico",
    /* 42 */ "Título de impresión",
    /* 43 */ "Predeterminado",
    /* 44 */ "Cancelar",
    /* 45 */ "Aceptar",

    // Evaluation window headline and group captions.
    /* 46 */ "Valores medidos seleccionables",
    /* 47 */ "Entradas",
    /* 48 */ "Otros valores medidos",
    /* 49 */ "Salidas",

    // Message box captions.
    /* 50 */ "Pregunta",
    /* 51 */ "Error",
    /* 52 */ "Advertencia",
    /* 53 */ "Información",

    // Not shown anywhere.
    /* 54 */ "Fecha",
    /* 55 */ "Empresa",

    // Default series names, in channel slot order.
    /* 56 */ "Sensor de temperatura 1",
    /* 57 */ "Sensor de temperatura 2",
    /* 58 */ "Sensor de temperatura 3",
    /* 59 */ "Sensor de temperatura 4",
    /* 60 */ "Sensor de temperatura 5",
    /* 61 */ "Sensor de temperatura 6",
    /* 62 */ "Sensor de temperatura directo",
    /* 63 */ "Caudal",
    /* 64 */ "Potencia térmica",
    /* 65 */ "Caudal acumulado",
    /* 66 */ "Energía acumulada",
    /* 67 */ "Salida 1",
    /* 68 */ "Salida 2",
    /* 69 */ "Salida 3",
    /* 70 */ "Salida de señal de fallo",

    // About box version line and file dialog filter names.
    /* 71 */ "Versión",
    /* 72 */ "Archivos de registro",
    /* 73 */ "Archivos de imagen",
    /* 74 */ "Todos los archivos",

    // Multi-day dialog.
    /* 75 */ "Fecha inicial",
    /* 76 */ "Fecha final",
    /* 77 */ "Examinar...",
    /* 78 */ "Evaluar",
    /* 79 */ "Pulse la tecla Esc para cancelar.",
    /* 80 */ "Cancelado por el usuario.",

    // Questions and messages (94 is not shown anywhere).
    /* 81 */
    "Se ha aplicado la configuración. ¿Desea guardarla también para futuras "
    "evaluaciones?",
    /* 82 */
    "Se ha guardado la configuración. ¿Desea aplicarla a todas las "
    "evaluaciones abiertas actualmente?",
    /* 83 */ "Abra primero un archivo de registro (*.csv).",
    /* 84 */ "Error al abrir el archivo.",
    /* 85 */ "El archivo indicado no contiene valores medidos.",
    /* 86 */ "El archivo indicado no es un archivo de registro válido.",
    /* 87 */
    "No se ha encontrado ningún archivo. Compruebe la ruta de acceso e "
    "inténtelo de nuevo.",
    /* 88 */ "Los nombres de archivo indicados no contienen una fecha válida.",
    /* 89 */
    "Para los archivos de registro solo se admite la extensión '.csv'.",
    /* 90 */ "No se puede asignar una fecha al archivo inicial seleccionado.",
    /* 91 */ "No se puede asignar una fecha al archivo final seleccionado.",
    /* 92 */ "La fecha del archivo final es anterior a la del archivo inicial.",
    /* 93 */
    "Solo ha seleccionado 1 día. Se ha iniciado una evaluación simple.",
    /* 94 */ "Conjunto de datos incompleto.",
    /* 95 */
    "Error al acceder al archivo INI. No se puede guardar la configuración.",
    /* 96 */
    "Ya ha abierto el número máximo de evaluaciones. ¿Desea abrir una nueva "
    "evaluación? Nota: la evaluación actual se perderá.",
    /* 97 */
    "No se ha podido abrir otra ventana de evaluación. Es posible que no haya "
    "suficiente memoria disponible. Cierre las aplicaciones que no utilice e "
    "inténtelo de nuevo.",
    /* 98 */
    "Se ha producido un error al crear la estructura de datos. Probablemente "
    "no haya suficiente memoria. Cierre las aplicaciones que no utilice e "
    "inténtelo de nuevo.",
    /* 99 */
    "No se ha encontrado Excel.exe. Seleccione manualmente la ruta de Excel.",
    /* 100 */
    "No se ha podido iniciar Excel. El archivo debe abrirse manualmente.",
    /* 101 */ "No es posible imprimir.",
    /* 102 */ "No hay datos disponibles.",
    /* 103 */ "Introduzca una denominación.",
    /* 104 */ "Introduzca solo números para los valores del eje Y.",
    /* 105 */ "Grosor de línea no válido. Introduzca un número entre 1 y 99.",

    // About box. The disclaimer is 106, a blank and 107.
    /* 106 */
    "Este software es freeware (software gratuito). Se distribuye "
    "gratuitamente y puede copiarse, utilizarse y transmitirse a terceros. "
    "Solo se permiten modificaciones del software de acuerdo con los autores. "
    "El software solo puede transmitirse completo y sin modificar, junto con "
    "todos los avisos de derechos de autor y demás avisos de protección. Su "
    "distribución comercial, por separado o como parte de otro producto, "
    "requiere la autorización previa y por escrito de los autores.",
    /* 107 */
    "El software se proporciona sin garantía de ningún tipo, ni expresa ni "
    "implícita, incluidas las garantías de comerciabilidad o de idoneidad "
    "para un fin determinado. Su uso es responsabilidad exclusiva del "
    "usuario. Si encuentra algún error, le rogamos que lo comunique a los "
    "autores para que pueda corregirse.",
    /* 108 */ "Producto fabricado para:",
    /* 109 */ "Estados Unidos",
    /* 110 */ "Tel.",
    /* 111 */ "Fax.",
};

// Texts added after the numbered rows.
constexpr std::string_view kAddedRows[] = {
    /* 112 */ "No se pudo cargar ninguno de los archivos seleccionados.",
    /* 113 */ "Algunos archivos no se pudieron cargar y se han omitido:",
    /* 114 */
    "No se ha podido guardar la configuración. Se aplicará a las ventanas "
    "nuevas hasta que se cierre el programa. ¿Desea aplicarla a todas las "
    "evaluaciones abiertas actualmente?",
    // 115: reading a day file stopped early at line %1
    /* 115 */
    "La lectura se detuvo en la línea %1, que no contiene un "
    "registro válido; se muestran los valores anteriores.",
    /* 116 */ "encendido",
    /* 117 */ "apagado",
    /* 118 */ "Este archivo ya no existe y se ha quitado de los archivos recientes:",
    /* 119 */ "1 año",
    /* 120 */ "Por mes",
    /* 121 */ "Comparar con",
    /* 122 */ "(ninguno)",
    /* 123 */ "Resumen",
    /* 124 */ "Mínimo",
    /* 125 */ "Máximo",
    /* 126 */ "Hora del máximo",
    /* 127 */ "Media",
    /* 128 */ "Horas de funcionamiento",
    /* 129 */ "Días sin archivo",
    /* 130 */ "Exportar totales diarios...",
    /* 131 */ "Exportar totales mensuales...",
    /* 132 */ "Archivos CSV",
    /* 133 */ "Mejor día",
    /* 134 */
    "Los registros de este archivo tienen fecha %1, fuera de los meses del análisis; el archivo se ha omitido.",
    /* 135 */ "Las columnas de este archivo difieren de las del primer archivo; el archivo se ha omitido.",
    /* 136 */ "No se pudo guardar la imagen «%1»: %2",
    /* 137 */ "No se pudo escribir el archivo «%1»: %2",
    /* 138 */ "Error interno",
    /* 139 */ "Marque un valor medido a la izquierda para mostrarlo",
    /* 140 */ "el gráfico no tiene tamaño",
    /* 141 */ "no se pudo escribir la imagen",
    /* 142 */ "Libros de Excel",
    /* 143 */ "Elija un archivo diario de esta carpeta.",
    /* 144 */ "Este archivo no existe.",
    /* 145 */ "Recargar",
    /* 146 */ "Saltar atrás",
    /* 147 */ "Desplazar atrás",
    /* 148 */ "Desplazar adelante",
    /* 149 */ "Saltar adelante",
    /* 150 */ "Gráfico de los valores medidos",
    /* 151 */ "Gráfico de las salidas",
    /* 152 */ "Color",
    /* 153 */ "Hallazgos",
    /* 154 */ "Ningún hallazgo en los días cargados.",
    /* 155 */ "Periodo",
    /* 156 */ "Hallazgo",
    /* 157 */ "Canal",
    /* 158 */ "Valor",
    /* 159 */ "Sobrecalentamiento del colector",
    /* 160 */ "Bomba en marcha sin rendimiento",
    /* 161 */ "Bomba con ciclos cortos",
    /* 162 */ "Error de sensor (Err)",
    /* 163 */ "Valor fuera de rango",
    /* 164 */ "Sensor bloqueado",
    /* 165 */ "Señal de fallo activa",
    /* 166 */ "Hueco en el registro",
    /* 167 */ "Días sin archivo",
    /* 168 */ "Pérdida de calor nocturna",
    /* 169 */ "(siguiendo el registro)",
    /* 170 */ "Seguir el registro de hoy",
    /* 171 */ "esta versión no puede escribir archivos SVG (PNG, BMP y PDF sí)",
};

}  // namespace

TextRows SpanishRows() { return kRows; }
AddedTextRows SpanishAddedRows() { return kAddedRows; }

}  // namespace calorix::i18n
