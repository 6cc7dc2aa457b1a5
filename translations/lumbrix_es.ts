<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es_ES">
<context>
    <name>AppStream</name>
    <message>
        <location filename="../packaging/linux/desktop_texts.hpp" line="11"/>
        <source>Convert light wavelength to photon energy</source>
        <comment>summary</comment>
        <translation>Convertir longitud de onda en energía de fotón</translation>
    </message>
</context>
<context>
    <name>Controls</name>
    <message>
        <location filename="../window/controls.hpp" line="55"/>
        <source>Opens the maker&apos;s home page in the web browser</source>
        <translation>Abre la web del fabricante en el navegador</translation>
    </message>
    <message>
        <location filename="../window/controls.hpp" line="64"/>
        <source>Value</source>
        <translation>Valor</translation>
    </message>
    <message>
        <location filename="../window/controls.hpp" line="65"/>
        <source>A wavelength in nm or a photon energy in eV; press Enter to convert</source>
        <translation>Longitud de onda en nm o energía de fotón en eV; pulse Intro para convertir</translation>
    </message>
    <message>
        <location filename="../window/controls.hpp" line="75"/>
        <source>Unit of the value</source>
        <translation>Unidad del valor</translation>
    </message>
    <message>
        <location filename="../window/controls.hpp" line="77"/>
        <source>nm for a wavelength, eV for a photon energy</source>
        <translation>nm para una longitud de onda, eV para una energía de fotón</translation>
    </message>
    <message>
        <location filename="../window/controls.hpp" line="86"/>
        <source>Unit of the result</source>
        <translation>Unidad del resultado</translation>
    </message>
    <message>
        <location filename="../window/controls.hpp" line="88"/>
        <source>eV for a photon energy, nm for a wavelength</source>
        <translation>eV para una energía de fotón, nm para una longitud de onda</translation>
    </message>
    <message>
        <location filename="../window/controls.hpp" line="97"/>
        <source>Result</source>
        <translation>Resultado</translation>
    </message>
    <message>
        <location filename="../window/controls.hpp" line="98"/>
        <source>The value converted: a wavelength gives an energy, and back</source>
        <translation>El valor convertido: una longitud de onda da una energía, y viceversa</translation>
    </message>
</context>
<context>
    <name>Desktop entry</name>
    <message>
        <location filename="../packaging/linux/desktop_texts.hpp" line="7"/>
        <source>Photon Energy Converter</source>
        <comment>GenericName</comment>
        <translation>Conversor de energía de fotones</translation>
    </message>
    <message>
        <location filename="../packaging/linux/desktop_texts.hpp" line="8"/>
        <source>Convert the wavelength of light in nm to the energy of its photons in eV, and back</source>
        <comment>Comment</comment>
        <translation>Convertir la longitud de onda de la luz en nm en la energía de sus fotones en eV, y viceversa</translation>
    </message>
</context>
<context>
    <name>Form1</name>
    <message>
        <location filename="../window/texts.hpp" line="10"/>
        <source>Copy result</source>
        <translation>Copiar resultado</translation>
    </message>
    <message>
        <location filename="../window/texts.hpp" line="14"/>
        <source>The home page could not be opened:
%1</source>
        <translation>No se pudo abrir la web:
%1</translation>
    </message>
</context>
<context>
    <name>SpokenResult</name>
    <message>
        <location filename="../conversion/spoken_result.hpp" line="11"/>
        <source>No result for a value of zero</source>
        <translation>Sin resultado para el valor cero</translation>
    </message>
</context>
</TS>
