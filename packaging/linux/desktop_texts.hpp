// Read by lupdate only, never compiled: the desktop entry's and the AppStream
// metadata's texts in English, so that they are translated in
// translations/*.ts beside the window's. The build writes them and their
// translations into the .desktop and .metainfo.xml files
// (translations/ts_texts.py); the comment names the key or element each fills.

QT_TRANSLATE_NOOP3("Desktop entry", "Photon Energy Converter", "GenericName")
QT_TRANSLATE_NOOP3(
    "Desktop entry",
    "Convert the wavelength of light in nm to the energy of its photons in eV, and back", "Comment")
QT_TRANSLATE_NOOP3("AppStream", "Convert light wavelength to photon energy", "summary")
