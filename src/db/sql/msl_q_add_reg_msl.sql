insert into RegMsl (person_id,plant_id,JournalMsl_id,EntryEl) values (:id1,:id2,:id3,:cnt)
