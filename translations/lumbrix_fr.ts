<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>AppStream</name>
    <message>
        <location filename="../packaging/linux/desktop_texts.hpp" line="11"/>
        <source>Convert light wavelength to photon energy</source>
        <comment>summary</comment>
        <translation>Convertir une longueur d’onde en énergie de photon</translation>
    </message>
</context>
<context>
    <name>Controls</name>
    <message>
        <location filename="../window/controls.hpp" line="55"/>
        <source>Opens the maker&apos;s home page in the web browser</source>
        <translation>Ouvre le site du fabricant dans le navigateur</translation>
    </message>
    <message>
        <location filename="../window/controls.hpp" line="64"/>
        <source>Value</source>
        <translation>Valeur</translation>
    </message>
    <message>
        <location filename="../window/controls.hpp" line="65"/>
        <source>A wavelength in nm or a photon energy in eV; press Enter to convert</source>
        <translation>Longueur d’onde en nm ou énergie de photon en eV ; Entrée pour convertir</translation>
    </message>
    <message>
        <location filename="../window/controls.hpp" line="75"/>
        <source>Unit of the value</source>
        <translation>Unité de la valeur</translation>
    </message>
    <message>
        <location filename="../window/controls.hpp" line="77"/>
        <source>nm for a wavelength, eV for a photon energy</source>
        <translation>nm pour une longueur d’onde, eV pour une énergie de photon</translation>
    </message>
    <message>
        <location filename="../window/controls.hpp" line="86"/>
        <source>Unit of the result</source>
        <translation>Unité du résultat</translation>
    </message>
    <message>
        <location filename="../window/controls.hpp" line="88"/>
        <source>eV for a photon energy, nm for a wavelength</source>
        <translation>eV pour une énergie de photon, nm pour une longueur d’onde</translation>
    </message>
    <message>
        <location filename="../window/controls.hpp" line="97"/>
        <source>Result</source>
        <translation>Résultat</translation>
    </message>
    <message>
        <location filename="../window/controls.hpp" line="98"/>
        <source>The value converted: a wavelength gives an energy, and back</source>
        <translation>La valeur convertie : une longueur d’onde donne une énergie, et inversement</translation>
    </message>
</context>
<context>
    <name>Desktop entry</name>
    <message>
        <location filename="../packaging/linux/desktop_texts.hpp" line="7"/>
        <source>Photon Energy Converter</source>
        <comment>GenericName</comment>
        <translation>Convertisseur d’énergie de photon</translation>
    </message>
    <message>
        <location filename="../packaging/linux/desktop_texts.hpp" line="8"/>
        <source>Convert the wavelength of light in nm to the energy of its photons in eV, and back</source>
        <comment>Comment</comment>
        <translation>Convertir la longueur d’onde de la lumière en nm en énergie de ses photons en eV, et inversement</translation>
    </message>
</context>
<context>
    <name>Form1</name>
    <message>
        <location filename="../window/texts.hpp" line="10"/>
        <source>Copy result</source>
        <translation>Copier le résultat</translation>
    </message>
    <message>
        <location filename="../window/texts.hpp" line="14"/>
        <source>The home page could not be opened:
%1</source>
        <translation>Impossible d’ouvrir le site :
%1</translation>
    </message>
</context>
<context>
    <name>SpokenResult</name>
    <message>
        <location filename="../conversion/spoken_result.hpp" line="11"/>
        <source>No result for a value of zero</source>
        <translation>Pas de résultat pour une valeur nulle</translation>
    </message>
</context>
</TS>
