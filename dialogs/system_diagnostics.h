// The system diagnostics window: the display's size, resolution and colours,
// the operating system, whether the settings file can be written and read,
// and a circle of single pixels drawn the way the animation draws its
// stars. Values that point to a problem are shown in red.
#pragma once

#include <QDialog>
#include <QImage>

#include <array>
#include <string_view>

#include "driver/drawing_surface.h"
#include "settings/store.h"

class QLineEdit;
class QPushButton;

namespace orrelume {

struct DiagnosticText;

// Where the window keeps its placement.
inline constexpr std::string_view kSystemDiagSection = "General\\SystemDiag";

// The graphics test's picture box: it plots the test circle through a
// drawing surface of its own size, as the animation plots stars, and shows
// the surface.
class GraphicsTestBox : public QWidget {
  public:
    explicit GraphicsTestBox(QWidget* parent = nullptr);
    const DrawingSurface& Surface() const { return surface_; }
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void Draw();
    DrawingSurface surface_;
};

class frmSystemDiag : public QDialog {
    Q_OBJECT
  public:
    // Modal (exec). The store test runs as the window opens; the placement
    // is kept under "General\SystemDiag".
    explicit frmSystemDiag(SettingsStore& store, QWidget* parent = nullptr);
    ~frmSystemDiag() override;

    // txtDiagnostics 0 to 5: screen width and height, twips per pixel,
    // colours, operating system, settings access.
    QLineEdit& Field(int index) const;
    // Whether a field is shown as a problem (in red).
    bool FieldIsProblem(int index) const;
    GraphicsTestBox& Graphics() const { return *picGraphics_; }
    QPushButton& SysInfoButton() const { return *cmdSysInfo_; }

  public slots:
    void done(int result) override;

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void FillDisplayValues();
    void SetField(int index, const DiagnosticText& value);
    void OpenSystemInformation();

    SettingsStore& store_;
    std::array<QLineEdit*, 6> txtDiagnostics_{};
    std::array<bool, 6> problem_{};
    GraphicsTestBox* picGraphics_ = nullptr;
    QPushButton* cmdSysInfo_ = nullptr;
    QPushButton* cmdHelp_ = nullptr;
    QPushButton* cmdDismiss_ = nullptr;
    bool shown_ = false;
};

}  // namespace orrelume
