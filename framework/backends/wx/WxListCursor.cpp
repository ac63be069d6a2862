#include "framework/backends/wx/WxListCursor.h"

#include <gtk/gtk.h>
#include <wx/listbox.h>

void MoveListCursor(wxListBox& list, int row) {
  GtkTreePath* path = gtk_tree_path_new_from_indices(row, -1);
  gtk_tree_view_set_cursor(list.m_treeview, path, nullptr, FALSE);
  gtk_tree_path_free(path);
}
