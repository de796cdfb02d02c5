// Stands in front of Qt's own header for the code that runs without a display: Qt Print Support
// is built on Qt Widgets.
#error "This library runs without a display: it must not include a Qt Print Support header."
