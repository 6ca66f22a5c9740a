#include "art_texts.h"

namespace skinart {

namespace {

ArtTexts spanish() {
    ArtTexts t;
    t.subtitle = QStringLiteral("CONFIGURADOR DE RATÓN GAMING");
    t.mapHint = QStringLiteral("Pulse un botón para asignarle una función");
    t.fireKey = QStringLiteral("Disparo rápido");
    t.repeatCount = QStringLiteral("Repeticiones");
    t.interval = QStringLiteral("Intervalo");
    t.milliseconds = QStringLiteral("ms");
    t.fireKeyHint =
        QStringLiteral("Un botón de disparo rápido repite su clic estas veces, con este intervalo entre clics.");
    t.reportRate = QStringLiteral("Frecuencia de sondeo");
    t.rate1000 = QStringLiteral("1000 Hz");
    t.rate500 = QStringLiteral("500 Hz");
    t.pointer = QStringLiteral("Puntero del escritorio");
    t.pointerHint = QStringLiteral("se aplica a este equipo");
    t.pointerSpeed = QStringLiteral("Velocidad del puntero");
    t.doubleClick = QStringLiteral("Velocidad de doble clic");
    t.scrollLines = QStringLiteral("Líneas por paso de rueda");
    t.dpiLevels = QStringLiteral("Niveles de DPI");
    t.dpiHint = QStringLiteral("Pulse el nombre de un nivel para activarlo o desactivarlo y marque el nivel actual.");
    t.breathing = QStringLiteral("Tiempos de respiración");
    t.offTime = QStringLiteral("Apagado");
    t.riseTime = QStringLiteral("Encendido gradual");
    t.onTime = QStringLiteral("Encendido");
    t.fallTime = QStringLiteral("Apagado gradual");
    t.lighting = QStringLiteral("Modo de iluminación");
    t.colorful = QStringLiteral("Multicolor");
    t.locked = QStringLiteral("Color fijo");
    t.cpiColor = QStringLiteral("Color por CPI");
    t.lightsOff = QStringLiteral("Apagada");
    t.customColour = QStringLiteral("Color personalizado");
    t.mouseColour = QStringLiteral("Color del ratón");
    t.colourHint = QStringLiteral("El origen del color se aplica al modo Color fijo.");
    t.macroList = QStringLiteral("Macros");
    t.events = QStringLiteral("Eventos");
    t.editGroup = QStringLiteral("Editar");
    t.manageGroup = QStringLiteral("Gestionar");
    t.delayMode = QStringLiteral("Retardo al grabar");
    t.recordDelay = QStringLiteral("Retardo grabado");
    t.fixedDelay = QStringLiteral("Retardo fijo");
    t.noDelay = QStringLiteral("Sin retardo");
    t.seconds = QStringLiteral("s");
    return t;
}

ArtTexts english() {
    ArtTexts t;
    t.subtitle = QStringLiteral("GAMING MOUSE CONFIGURATION");
    t.mapHint = QStringLiteral("Click a button to assign its function");
    t.fireKey = QStringLiteral("Fire key");
    t.repeatCount = QStringLiteral("Repeat count");
    t.interval = QStringLiteral("Interval");
    t.milliseconds = QStringLiteral("ms");
    t.fireKeyHint =
        QStringLiteral("A Fire Key button repeats its click this many times, with this interval between clicks.");
    t.reportRate = QStringLiteral("Report rate");
    t.rate1000 = QStringLiteral("1000 Hz");
    t.rate500 = QStringLiteral("500 Hz");
    t.pointer = QStringLiteral("Desktop pointer");
    t.pointerHint = QStringLiteral("applies to this computer");
    t.pointerSpeed = QStringLiteral("Pointer speed");
    t.doubleClick = QStringLiteral("Double-click speed");
    t.scrollLines = QStringLiteral("Wheel scroll lines");
    t.dpiLevels = QStringLiteral("DPI levels");
    t.dpiHint = QStringLiteral("Click a level's name to switch it on or off; tick the current level.");
    t.breathing = QStringLiteral("Breathing times");
    t.offTime = QStringLiteral("Off time");
    t.riseTime = QStringLiteral("Rise time");
    t.onTime = QStringLiteral("On time");
    t.fallTime = QStringLiteral("Fall time");
    t.lighting = QStringLiteral("Lighting mode");
    t.colorful = QStringLiteral("Colorful");
    t.locked = QStringLiteral("Single color");
    t.cpiColor = QStringLiteral("CPI color");
    t.lightsOff = QStringLiteral("Off");
    t.customColour = QStringLiteral("Custom color");
    t.mouseColour = QStringLiteral("Mouse color");
    t.colourHint = QStringLiteral("The color source applies to the Single color mode.");
    t.macroList = QStringLiteral("Macros");
    t.events = QStringLiteral("Events");
    t.editGroup = QStringLiteral("Edit");
    t.manageGroup = QStringLiteral("Manage");
    t.delayMode = QStringLiteral("Recording delay");
    t.recordDelay = QStringLiteral("Record Delay");
    t.fixedDelay = QStringLiteral("Default Delay");
    t.noDelay = QStringLiteral("No Delay");
    t.seconds = QStringLiteral("s");
    return t;
}

}  // namespace

const ArtTexts& artTexts(int skin) {
    static const ArtTexts es = spanish();
    static const ArtTexts en = english();
    return skin == 1 ? es : en;
}

}  // namespace skinart
