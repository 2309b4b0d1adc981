# Qt, GoogleTest and CLI11 headers cost far more to parse than the sources that
# include them; each target parses them once, into a precompiled header,
# instead of once per source. Off: every source parses them itself.
option(ZLC_PRECOMPILE_HEADERS "Precompile the large library headers once per target" ON)

# zlc_precompile(TARGET HEADERS...): HEADERS as target_precompile_headers takes them.
function(zlc_precompile target)
    if(ZLC_PRECOMPILE_HEADERS)
        target_precompile_headers(${target} PRIVATE ${ARGN})
    endif()
endfunction()

# The Qt headers that most of the Qt host's sources include.
set(ZLC_QT_PRECOMPILED
    <QApplication> <QComboBox> <QDialog> <QFileDialog> <QKeyEvent> <QLabel> <QLineEdit>
    <QListWidget> <QMessageBox> <QPlainTextEdit> <QPushButton> <QString> <QTabBar> <QTimer>
    <QWidget>)
