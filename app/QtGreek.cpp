#include "app/QtGreek.h"

#include <cstring>

namespace halvorn {
namespace {

struct TQtText {
  const char* Context;
  const char* Source;
  const char* Greek;
};

// Qt's own words as Qt 6 asks for them. The key names of shortcuts
// ("Alt+Left") are left alone: Qt reads them back as key sequences.
constexpr TQtText kTexts[] = {
    {"QPlatformTheme", "Cancel", "Ακύρωση"},
    {"QPlatformTheme", "Save", "Αποθήκευση"},
    {"QPlatformTheme", "Open", "Άνοιγμα"},
    {"QPlatformTheme", "&Yes", "&Ναι"},
    {"QPlatformTheme", "&No", "Ό&χι"},
    {"QFileDialog", "Look in:", "Φάκελος:"},
    {"QFileDialog", "Back", "Πίσω"},
    {"QFileDialog", "Go back", "Μετάβαση πίσω"},
    {"QFileDialog", "Forward", "Εμπρός"},
    {"QFileDialog", "Go forward", "Μετάβαση εμπρός"},
    {"QFileDialog", "Parent Directory", "Γονικός φάκελος"},
    {"QFileDialog", "Go to the parent directory", "Μετάβαση στον γονικό φάκελο"},
    {"QFileDialog", "Create New Folder", "Νέος φάκελος"},
    {"QFileDialog", "Create a New Folder", "Δημιουργία νέου φακέλου"},
    {"QFileDialog", "List View", "Λίστα"},
    {"QFileDialog", "Change to list view mode", "Προβολή ως λίστα"},
    {"QFileDialog", "Detail View", "Λεπτομέρειες"},
    {"QFileDialog", "Change to detail view mode", "Προβολή με λεπτομέρειες"},
    {"QFileDialog", "Sidebar", "Πλευρική στήλη"},
    {"QFileDialog", "List of places and bookmarks", "Τοποθεσίες και σελιδοδείκτες"},
    {"QFileDialog", "Files", "Αρχεία"},
    {"QFileDialog", "Files of type:", "Τύπος αρχείων:"},
    {"QFileDialog", "File &name:", "Όνο&μα αρχείου:"},
    {"QFileDialog", "&Open", "Άν&οιγμα"},
    {"QFileDialog", "&Save", "Απο&θήκευση"},
    {"QFileDialog", "All Files (*)", "Όλα τα αρχεία (*)"},
    {"QFileDialog", "&Rename", "&Μετονομασία"},
    {"QFileDialog", "&Delete", "&Διαγραφή"},
    {"QFileDialog", "Show &hidden files", "Εμφάνιση &κρυφών αρχείων"},
    {"QFileDialog", "&New Folder", "&Νέος φάκελος"},
    {"QFileDialog", "New Folder", "Νέος φάκελος"},
    {"QFileDialog", "%1 already exists.\nDo you want to replace it?",
     "Το %1 υπάρχει ήδη.\nΝα αντικατασταθεί;"},
    {"QFileDialog", "Are you sure you want to delete '%1'?", "Να διαγραφεί το «%1»;"},
    {"QFileSystemModel", "Name", "Όνομα"},
    {"QFileSystemModel", "Size", "Μέγεθος"},
    {"QFileSystemModel", "Type", "Τύπος"},
    {"QFileSystemModel", "Date Modified", "Τροποποίηση"},
    {"QFileSystemModel", "Computer", "Υπολογιστής"},
    {"QAbstractFileIconProvider", "Drive", "Μονάδα δίσκου"},
    {"QAbstractFileIconProvider", "Folder", "Φάκελος"},
    {"QAbstractFileIconProvider", "File", "Αρχείο"},
    {"QAbstractFileIconProvider", "%1 File", "Αρχείο %1"},
};

}  // namespace

QString TQtGreek::translate(const char* context, const char* sourceText, const char*, int) const {
  if (!context || !sourceText) return {};
  for (const TQtText& text : kTexts)
    if (std::strcmp(text.Context, context) == 0 && std::strcmp(text.Source, sourceText) == 0)
      return QString::fromUtf8(text.Greek);
  return {};
}

}  // namespace halvorn
