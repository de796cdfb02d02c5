// Stands in front of Qt's own header for the code that runs without a display (data, rules, file
// formats, the report engine): every Qt Widgets header includes this one first.
#error "This library runs without a display: it must not include a Qt Widgets header."
