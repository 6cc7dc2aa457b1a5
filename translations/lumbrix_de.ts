<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>AppStream</name>
    <message>
        <location filename="../packaging/linux/desktop_texts.hpp" line="11"/>
        <source>Convert light wavelength to photon energy</source>
        <comment>summary</comment>
        <translation>Lichtwellenlänge in Photonenenergie umrechnen</translation>
    </message>
</context>
<context>
    <name>Controls</name>
    <message>
        <location filename="../window/controls.hpp" line="55"/>
        <source>Opens the maker&apos;s home page in the web browser</source>
        <translation>Öffnet die Website des Herstellers im Browser</translation>
    </message>
    <message>
        <location filename="../window/controls.hpp" line="64"/>
        <source>Value</source>
        <translation>Wert</translation>
    </message>
    <message>
        <location filename="../window/controls.hpp" line="65"/>
        <source>A wavelength in nm or a photon energy in eV; press Enter to convert</source>
        <translation>Wellenlänge in nm oder Photonenenergie in eV; mit der Eingabetaste umrechnen</translation>
    </message>
    <message>
        <location filename="../window/controls.hpp" line="75"/>
        <source>Unit of the value</source>
        <translation>Einheit des Werts</translation>
    </message>
    <message>
        <location filename="../window/controls.hpp" line="77"/>
        <source>nm for a wavelength, eV for a photon energy</source>
        <translation>nm für eine Wellenlänge, eV für eine Photonenenergie</translation>
    </message>
    <message>
        <location filename="../window/controls.hpp" line="86"/>
        <source>Unit of the result</source>
        <translation>Einheit des Ergebnisses</translation>
    </message>
    <message>
        <location filename="../window/controls.hpp" line="88"/>
        <source>eV for a photon energy, nm for a wavelength</source>
        <translation>eV für eine Photonenenergie, nm für eine Wellenlänge</translation>
    </message>
    <message>
        <location filename="../window/controls.hpp" line="97"/>
        <source>Result</source>
        <translation>Ergebnis</translation>
    </message>
    <message>
        <location filename="../window/controls.hpp" line="98"/>
        <source>The value converted: a wavelength gives an energy, and back</source>
        <translation>Der umgerechnete Wert: aus Wellenlänge wird Energie und umgekehrt</translation>
    </message>
</context>
<context>
    <name>Desktop entry</name>
    <message>
        <location filename="../packaging/linux/desktop_texts.hpp" line="7"/>
        <source>Photon Energy Converter</source>
        <comment>GenericName</comment>
        <translation>Photonenenergie-Rechner</translation>
    </message>
    <message>
        <location filename="../packaging/linux/desktop_texts.hpp" line="8"/>
        <source>Convert the wavelength of light in nm to the energy of its photons in eV, and back</source>
        <comment>Comment</comment>
        <translation>Wellenlänge des Lichts in nm in die Energie seiner Photonen in eV umrechnen und umgekehrt</translation>
    </message>
</context>
<context>
    <name>Form1</name>
    <message>
        <location filename="../window/texts.hpp" line="10"/>
        <source>Copy result</source>
        <translation>Ergebnis kopieren</translation>
    </message>
    <message>
        <location filename="../window/texts.hpp" line="14"/>
        <source>The home page could not be opened:
%1</source>
        <translation>Die Website konnte nicht geöffnet werden:
%1</translation>
    </message>
</context>
<context>
    <name>SpokenResult</name>
    <message>
        <location filename="../conversion/spoken_result.hpp" line="11"/>
        <source>No result for a value of zero</source>
        <translation>Kein Ergebnis für den Wert null</translation>
    </message>
</context>
</TS>
